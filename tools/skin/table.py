"""The skin table: every picture the two programs load by resource id, with its C++ name,
exact size, program, role and painter. outputs.py writes the pictures, the resource
scripts and resources/skin/Skin.h from it, so the code names each picture from here."""

from main_art import *
from finder_art import *
from page_art import *
from palette import *
from pictures import BOTH, UPDATE, ZELORA, crop_of, plain, register
from places import *
from widgets import *


class Entry:
    def __init__(self, name, kind, rid, w, h, program, role, caption, paint, sizes=None,
                 note=None, shown_rows=None, spoken=None, part_words=None):
        self.name, self.kind, self.rid, self.w, self.h = name, kind, rid, w, h
        self.program, self.role, self.caption, self.paint = program, role, caption, paint
        # What screen readers call it: the words drawn on it, or for a glyph what it means.
        self.words = caption or spoken
        self.part_words = part_words  # a panel's: what each of its columns is called
        self.sizes = sizes
        self.note = note
        self.shown_rows = shown_rows  # the program copies only this many top rows

    def file_name(self):
        prefix = 'upd_' if self.program == UPDATE else ''
        return f'{prefix}{self.kind}_{self.rid}.{self.kind}'

    def programs(self):
        return (ZELORA, UPDATE) if self.program == BOTH else (self.program,)


def B(name, rid, w, h, program, role, caption, paint, note=None, shown_rows=None, spoken=None,
      part_words=None):
    return Entry(name, 'bmp', rid, w, h, program, role, caption, paint, note=note,
                 shown_rows=shown_rows, spoken=spoken, part_words=part_words)


def level_panel_entry(name, rid, w, h, role, columns, top_row, travel, scale, names, groups=(),
                      **options):
    """A level panel, whose column names are also what its sliders and edits are called."""
    shown_rows = options.pop('shown_rows', None)
    words = [next((f'{group} {n}' for first, last, group in groups if first <= i <= last), n)
             for i, n in enumerate(names)]
    return B(name, rid, w, h, ZELORA, role, None,
             level_panel(columns, top_row, travel, scale, names, groups=groups, **options),
             shown_rows=shown_rows, part_words=words)


def I(name, rid, sizes, program, role, paint):
    return Entry(name, 'ico', rid, max(sizes), max(sizes), program, role, None, paint,
                 sizes=sizes)


Z = ZELORA
U = UPDATE
P = plain(PAGE)


def on_main(area):
    return crop_of(ZELORA, 180, area.x, area.y)


def on_home(area):
    return crop_of(ZELORA, 316, area.x, area.y)


def on_updater(area):
    return crop_of(UPDATE, 131, area.x, area.y)


def states(area, order):
    """(state, id) of an area's pictures in the order the table lists them."""
    ids = {NORMAL: area.normal, PRESSED: area.pressed, HOVER: area.hover}
    return [(state, ids[state]) for state in order]


def hot_triple(area, w, h, program, what, caption, backdrop, variant='plain', icon=None,
               font_size=12, order=(NORMAL, PRESSED, HOVER)):
    return [B(f'{area.name}{state.capitalize()}', i, w, h, program, f'{what}, {state}', caption,
              push_button(backdrop, state, variant, icon, font_size=font_size))
            for state, i in states(area, order)]


def glyph_triple(area, w, h, program, what, backdrop, glyph, spoken, danger=False, drawn=None,
                 order=(NORMAL, PRESSED, HOVER), note=None):
    return [B(f'{area.name}{state.capitalize()}', i, w, h, program, f'{what}, {state}', None,
              glyph_button(backdrop, state, glyph, danger, drawn), note=note, spoken=spoken)
            for state, i in states(area, order)]


def tool_triple(area, what, glyph, spoken):
    return [B(f'{area.name}{state.capitalize()}', i, area.w, area.h, Z,
              f'finder {what} button, {state}', None, tool_button(area, state, glyph),
              spoken=spoken)
            for state, i in states(area, (NORMAL, HOVER, PRESSED))]


def menu_pair(name, normal, dark, w, what, caption, kind):
    return [B(f'{name}Normal', normal, w, 18, Z, f'menu {what}, normal', caption,
              menu_button(kind, False)),
            B(f'{name}Hover', dark, w, 18, Z, f'menu {what}, hover and selected', caption,
              menu_button(kind, True))]


def menu_group(name, normal, hover, expanded, expanded_hover, what, caption):
    return [
        B(f'{name}Collapsed', normal, 113, 18, Z, f'menu group {what}, collapsed', caption,
          menu_button('group', False)),
        B(f'{name}CollapsedHover', hover, 113, 18, Z, f'menu group {what}, collapsed hover',
          caption, menu_button('group', True)),
        B(f'{name}Expanded', expanded, 113, 18, Z, f'menu group {what}, expanded', caption,
          menu_button('group', True, expanded=True)),
        B(f'{name}ExpandedHover', expanded_hover, 113, 18, Z,
          f'menu group {what}, expanded hover', caption,
          menu_button('group', True, expanded=True, hover=True)),
    ]


def updater_button(area, what, caption, variant='plain'):
    pictures = [('up and focus', area.normal, NORMAL, 'Up'),
                ('selected', area.pressed, PRESSED, 'Selected'),
                ('disabled', area.disabled, DISABLED, 'Disabled')]
    return [B(f'{area.name}{suffix}', rid, area.w, area.h, U, f'{what}, {role}', caption,
              push_button(on_updater(area), state, variant))
            for role, rid, state, suffix in pictures if rid]


SKIN = [
    # --- Main window -------------------------------------------------------------------
    B('MainBackground', 180, 588, 608, Z, 'main window background', None, main_background),
    *hot_triple(MAIN_CANCEL, 57, 28, Z, 'main cancel', '취소', on_main(MAIN_CANCEL)),
    *glyph_triple(MAIN_CLOSE, 23, 22, Z, 'main close', on_main(MAIN_CLOSE), 'close', '닫기',
                  danger=True),
    *glyph_triple(MAIN_MINIMIZE, 23, 22, Z, 'main minimize', on_main(MAIN_MINIMIZE), 'minimize',
                  '최소화'),
    *hot_triple(MAIN_OK, 57, 28, Z, 'main OK', '확인', on_main(MAIN_OK), 'primary'),
    *hot_triple(MAIN_DEFAULTS, 88, 28, Z, 'main current defaults', '기본값 복원',
                on_main(MAIN_DEFAULTS), icon='reset'),
    *hot_triple(MAIN_FINDER, 80, 26, Z, 'main movie finder', '영화찾기', on_main(MAIN_FINDER),
                icon='search'),
    *hot_triple(MAIN_EXPORT, 113, 26, Z, 'main settings export', '설정 내보내기',
                on_main(MAIN_EXPORT), icon='export'),
    *hot_triple(MAIN_IMPORT, 113, 26, Z, 'main settings import', '설정 가져오기',
                on_main(MAIN_IMPORT), icon='import'),

    # --- Menu buttons -------------------------------------------------------------------
    *menu_pair('MenuConnect', 204, 205, 113, 'Codec Connect', '코덱연결 설정', 'top'),
    *menu_pair('MenuUpdate', 218, 219, 113, 'Codec Update', '코덱 업데이트', 'top'),
    *menu_group('MenuVideo', 220, 227, 223, 224, 'video', '비디오 설정'),
    *menu_pair('MenuVideoFFDShow', 225, 226, 98, 'ffdshow video', 'FFDShow 비디오', 'item'),
    *menu_pair('MenuVideoDivx', 221, 222, 98, 'DivX', 'DivX 비디오', 'item'),
    *menu_pair('MenuVideoXvid', 228, 229, 98, 'Xvid', 'Xvid 비디오', 'item'),
    *menu_group('MenuSound', 210, 217, 213, 214, 'sound', '사운드 설정'),
    *menu_pair('MenuSoundFFDShow', 215, 216, 98, 'ffdshow audio', 'FFDShow 오디오', 'item'),
    *menu_pair('MenuSoundAC3', 208, 209, 98, 'AC3Filter', 'AC3 필터', 'item'),
    *menu_pair('MenuSoundKorrin', 211, 212, 98, 'DTS speaker', 'DTS 스피커', 'item'),
    *menu_group('MenuCaption', 196, 201, 199, 200, 'caption', '자막 설정'),
    *menu_pair('MenuCaptionVSFilter', 202, 203, 98, 'VSFilter', 'VSFilter 자막', 'item'),
    *menu_pair('MenuCaptionDivxG400', 197, 198, 98, 'DivX G400', 'DivX G400 자막', 'item'),
    *menu_pair('MenuIntro', 206, 207, 113, 'finder intro', '영화찾기 소개', 'top'),
    *menu_pair('MenuPreferred', 342, 343, 113, 'preferred decoders', '우선 코덱', 'top'),

    # --- Codec Connect page (231) -------------------------------------------------------
    B('ConnectBanner', 145, 408, 13, Z, 'Codec Connect banner',
      '코덱연결 설정 › 설치된 코덱 연결 관리', banner),
    B('ConnectUpperHeading', 142, 408, 18, Z, 'Codec Connect upper list heading',
      '사용 중인 코덱 (연결됨)', section_title),
    B('ConnectLowerHeading', 144, 408, 18, Z, 'Codec Connect lower list heading',
      '연결 해제된 코덱', section_title),
    *hot_triple(CONNECT_UNREGISTER, 70, 22, Z, 'unregister button', '연결 해제', P),
    *hot_triple(CONNECT_REGISTER, 70, 22, Z, 'register button', '다시 연결', P),
    *hot_triple(CONNECT_UNINSTALL, 70, 22, Z, 'uninstall button', '코덱 제거', P),

    # --- Preferred decoders page (258) ------------------------------------------------
    B('PreferredBanner', 344, 408, 13, Z, 'preferred decoders banner',
      '우선 코덱 › Windows가 쓰는 디코더', banner),

    # --- Codec Update page (240) --------------------------------------------------------
    B('UpdateBanner', 165, 408, 13, Z, 'Codec Update banner',
      '코덱 업데이트 › 자동 업데이트할 코덱 선택', banner),
    B('UpdateVideoTitle', 164, 128, 18, Z, 'Codec Update video list title', '비디오 코덱',
      section_title),
    B('UpdateAudioTitle', 162, 128, 18, Z, 'Codec Update audio list title', '오디오 코덱',
      section_title),
    B('UpdateCaptionTitle', 161, 128, 18, Z, 'Codec Update caption list title', '자막 코덱',
      section_title),
    B('UpdateOtherTitle', 163, 128, 18, Z, 'Codec Update fourth (empty) list title', '기타 코덱',
      section_title),

    # --- DivX page (233) ----------------------------------------------------------------
    B('DivxBanner', 170, 408, 13, Z, 'DivX banner', '비디오 설정 › DivX 비디오 설정', banner),
    B('DivxPostProcessingTitle', 167, 112, 18, Z, 'DivX post-processing title', '후처리 설정',
      section_title),
    B('DivxPlaybackTitle', 168, 106, 18, Z, 'DivX playback title', '재생 설정', section_title),
    B('DivxLevelsTitle', 166, 161, 18, Z, 'DivX picture levels title', '밝기 · 대비 · 채도',
      section_title),
    B('DivxAspectTitle', 169, 111, 18, Z, 'DivX aspect ratio title', '화면 비율', section_title),
    B('DivxLargeScales', 251, 236, 88, Z,
      'DivX scales of the deblock, dering and warmth sliders', None, divx_large_scale),
    B('DivxSmallScales', 256, 98, 74, Z,
      'DivX scales of the brightness, contrast and saturation sliders', None, divx_small_scale),
    B('LargeStripLive', 249, 477, 20, Z, 'large slider strip, live', None, hstrip(233, True)),
    B('LargeStripGreyed', 325, 477, 20, Z, 'large slider strip, greyed', None,
      hstrip(233, False)),
    B('SmallStripLive', 248, 205, 20, Z, 'small slider strip, live', None, hstrip(97, True)),
    B('SmallStripGreyed', 324, 205, 20, Z, 'small slider strip, greyed', None,
      hstrip(97, False)),

    # --- ffdshow video page (241) -------------------------------------------------------
    B('VideoFFDShowBanner', 174, 408, 13, Z, 'ffdshow video banner',
      '비디오 설정 › FFDShow 비디오 설정', banner),
    B('VideoFFDShowInputTitle', 173, 88, 18, Z, 'ffdshow video input formats title',
      '디코딩 형식', section_title),
    B('VideoFFDShowOutputTitle', 171, 88, 18, Z, 'ffdshow video output formats title',
      '출력 형식', section_title),
    B('VideoFFDShowExtrasTitle', 172, 88, 18, Z, 'ffdshow video extras title', '부가 기능',
      section_title),

    # --- Xvid page (234) ----------------------------------------------------------------
    B('XvidBanner', 178, 408, 13, Z, 'Xvid banner', '비디오 설정 › Xvid 비디오 설정', banner),
    B('XvidPostProcessingTitle', 177, 112, 18, Z, 'Xvid post-processing title', '후처리 설정',
      section_title),
    B('XvidFourccTitle', 175, 111, 18, Z, 'Xvid FourCC title', '지원 FourCC', section_title),
    B('XvidOutputTitle', 176, 106, 18, Z, 'Xvid output title', '출력 설정', section_title),

    # --- ffdshow audio page (232) -------------------------------------------------------
    B('SoundFFDShowBanner', 160, 408, 13, Z, 'ffdshow audio banner',
      '사운드 설정 › FFDShow 오디오 설정', banner),
    B('SoundFFDShowSwitchesTitle', 157, 140, 18, Z, 'ffdshow audio switches title',
      'FFDShow 오디오 설정', section_title),
    B('SoundFFDShowMixerTitle', 155, 214, 18, Z, 'ffdshow audio volume and mixer title',
      'FFDShow 오디오 볼륨 · 믹서 값', section_title),
    B('SoundFFDShowVolumesTitle', 159, 180, 18, Z, 'ffdshow audio channel volumes title',
      'FFDShow 오디오 볼륨 값', section_title),
    B('SoundFFDShowSpeakerTitle', 158, 128, 18, Z, 'ffdshow audio speaker title', '스피커 선택',
      section_title),
    B('SoundFFDShowFormatsTitle', 154, 128, 18, Z, 'ffdshow audio formats title',
      '형식 연결 설정', section_title),
    B('SoundFFDShowSpdifTitle', 156, 128, 18, Z, 'ffdshow audio S/PDIF title', 'S/PDIF 연결',
      section_title),
    B('LevelEditFrame', 179, 37, 26, Z, 'frame behind a level edit (both audio pages)', None,
      edit_frame),
    # Sliders at x 51(29 wide)/100/140/180/220, top 189: line x 61, 110, 150, 190, 230.
    level_panel_entry('SoundFFDShowMixerPanel', 254, 217, 106,
                      'ffdshow audio volume and mixer panel (top 77 rows shown)',
                      [41, 90, 130, 170, 210], 24, 51,
                      [(0, '+20', False), (13, '', False), (25, '0', True), (38, '', False),
                       (51, '-20', False)],
                      ['VOLUME', 'H.P', 'VOICE', 'SURROUND', 'LFE'], label_scale=True,
                      shown_rows=77),
    # Sliders at x 25, 65, ..., 225, top 372: knob rows 32 + p; ticks at 300/200/100/0 %.
    level_panel_entry('SoundFFDShowVolumePanel', 255, 222, 83,
                      'ffdshow audio channel volume panel', [15, 55, 95, 135, 175, 215], 32, 51,
                      [(0, '', False), (17, '', False), (34, '', True), (51, '', False)],
                      ['LEFT', 'CENTER', 'RIGHT', 'LEFT', 'RIGHT', 'LFE'],
                      groups=[(0, 2, 'FRONT'), (3, 4, 'SURROUND')]),
    B('SoundFFDShowStripActive', 247, 20, 113, Z, 'ffdshow audio level strip, active', None,
      vstrip(51, True)),
    B('SoundFFDShowStripInactive', 323, 20, 113, Z, 'ffdshow audio level strip, inactive', None,
      vstrip(51, False)),

    # --- AC3Filter page (235) -----------------------------------------------------------
    B('AC3Banner', 151, 408, 13, Z, 'AC3Filter banner', '사운드 설정 › AC3Filter 설정', banner),
    B('AC3LevelsTitle', 143, 128, 18, Z, 'AC3 levels title (copied 140 wide)',
      'AC3 사운드 설정값', section_title),
    B('AC3SpeakerLevelsTitle', 150, 128, 18, Z, 'AC3 speaker levels title (copied 214 wide)',
      'AC3 스피커 설정값', section_title),
    B('AC3OutputTitle', 149, 128, 18, Z, 'AC3 output title (copied 180 wide)', 'AC3 출력 설정',
      section_title),
    B('AC3InputTitle', 147, 128, 18, Z, 'AC3 input formats title', 'AC3 연결 설정',
      section_title),
    B('AC3SpdifTitle', 148, 128, 18, Z, 'AC3 S/PDIF title', 'S/PDIF 출력 설정', section_title),
    # Sliders at x 56(24 wide)/100/140/180/220, top 88: line x 66, 110, ...; knob rows 23 + p.
    level_panel_entry('AC3MixerPanel', 252, 217, 106, 'AC3 master and mixer panel',
                      [46, 90, 130, 170, 210], 23, 80,
                      [(0, '+20', False), (20, '+10', False), (40, '0', True), (60, '-10', False),
                       (80, '-20', False)],
                      ['MASTER', 'MAIN', 'VOICE', 'SURROUND', 'LFE'], label_scale=True),
    # Sliders at x 23(22 wide)/65/.../225, top 316: line x 33, 75, ...; knob rows 31 + p.
    level_panel_entry('AC3GainPanel', 253, 222, 112, 'AC3 channel gain panel',
                      [13, 55, 95, 135, 175, 215], 31, 80,
                      [(0, '', False), (20, '', False), (40, '', True), (60, '', False),
                       (80, '', False)],
                      ['LEFT', 'CENTER', 'RIGHT', 'LEFT', 'RIGHT', 'LFE'],
                      groups=[(0, 2, 'FRONT'), (3, 4, 'SURROUND')]),
    B('AC3StripActive', 246, 20, 171, Z, 'AC3 level strip, active', None, vstrip(80, True)),
    B('AC3StripInactive', 322, 20, 171, Z, 'AC3 level strip, inactive', None,
      vstrip(80, False)),

    # --- DTS speaker page (236) ---------------------------------------------------------
    B('KorrinBanner', 153, 408, 13, Z, 'DTS speaker banner', '사운드 설정 › DTS/AC3 스피커 설정',
      banner),
    B('KorrinSpeakerTitle', 152, 140, 18, Z, 'DTS speaker mode title', '스피커 설정',
      section_title),

    # --- VSFilter (237) and DivX G400 (238) pages ----------------------------------------
    B('VSFilterBanner', 132, 408, 13, Z, 'VSFilter banner', '자막 설정 › VSFilter 설정', banner),
    B('DivxG400Banner', 129, 408, 13, Z, 'DivX G400 banner', '자막 설정 › DivX G400 설정',
      banner),
    B('CaptionScreenTitle', 131, 140, 18, Z, 'screen section title (VSFilter, DivX G400)',
      '화면 설정', section_title),
    B('CaptionTimingTitle', 130, 244, 18, Z, 'subtitle section title (VSFilter, DivX G400)',
      '자막 설정 (시간 1000 = 1초)', section_title),

    # --- Intro page (239) ---------------------------------------------------------------
    B('IntroBanner', 146, 408, 13, Z, 'intro banner', '영화찾기 소개 › 자막 · 영화정보 · 예매 검색',
      banner),
    B('IntroPicture', 334, 408, 430, Z, 'intro picture', None, intro_picture),

    # --- Finder window (257) ------------------------------------------------------------
    B('FinderHeaderLeft', 268, 116, 136, Z, 'finder header, left', None, finder_header_left),
    B('FinderHeaderMiddle', 267, 1, 136, Z, 'finder header, middle column', None, band_piece),
    B('FinderHeaderRight', 269, 96, 136, Z, 'finder header, right', None, finder_header_right),
    B('FinderToolbarCaptions', 262, FINDER_LOGO.w, FINDER_LOGO.h, Z, 'finder toolbar captions',
      None, finder_toolbar_labels),
    B('FinderInfoCaption', 263, FINDER_LINKS.w, FINDER_LINKS.h, Z, 'finder info caption', None,
      finder_info_label),
    B('FinderLeftBorder', 264, 12, 1, Z, 'finder left border', None, frame_piece('left')),
    B('FinderRightBorder', 265, 12, 1, Z, 'finder right border', None, frame_piece('right')),
    B('FinderBottomBorder', 259, 1, 12, Z, 'finder bottom border', None, frame_piece('bottom')),
    B('FinderBottomLeft', 260, 12, 12, Z, 'finder bottom-left corner', None,
      frame_piece('bottom-left')),
    B('FinderBottomRight', 261, 12, 12, Z, 'finder bottom-right corner', None,
      frame_piece('bottom-right')),
    *[picture for area, what, glyph, spoken in zip(FINDER_TOOLS, (
        'back', 'forward', 'stop', 'refresh', 'home', 'board 1', 'board 2', 'info'), (
        'back', 'forward', 'stop', 'refresh', 'home', 'love', 'talk', 'info'),
        TOOLBAR_LABELS + ['정보'])
      for picture in tool_triple(area, what, glyph, spoken)],
    *hot_triple(FINDER_SEARCH, 55, 22, Z, 'finder search button', '검색',
                crop_finder_band(FINDER_SEARCH), 'primary', icon='search',
                order=(NORMAL, HOVER, PRESSED)),
    *hot_triple(FINDER_CINEMA, 80, 22, Z, 'finder cinema list button', '극장 목록',
                crop_finder_band(FINDER_CINEMA), icon='pin', order=(NORMAL, HOVER, PRESSED)),
    *glyph_triple(FINDER_MAXIMIZE, 23, 22, Z, 'finder maximize/restore',
                  crop_finder_band(FINDER_MAXIMIZE), 'maximize', '최대화',
                  order=(NORMAL, HOVER, PRESSED)),
    *glyph_triple(FINDER_CLOSE, 23, 23, Z, 'close (finder and home-page box)',
                  crop_finder_band(FINDER_CLOSE), 'close', '닫기', danger=True, drawn=(22, 22),
                  order=(NORMAL, HOVER, PRESSED),
                  note='finder blits 23 x 22, home-page box 22 x 23: drawn 23 x 23'),

    # --- Home-page box (315) ------------------------------------------------------------
    B('HomeBackground', 316, 358, 418, Z, 'home-page box background', None, home_box_background),
    *hot_triple(HOME_LINK, 190, 22, Z, 'home-page button', 'Zelora 홈페이지 바로가기',
                on_home(HOME_LINK), icon='home'),
    *hot_triple(HOME_OK, 80, 22, Z, 'home-page box OK', '확인', on_home(HOME_OK), 'primary'),

    # --- Icons --------------------------------------------------------------------------
    I('AppIcon', 128, (16, 32, 48), Z, 'application icon', app_icon(False)),
    I('RowUnticked', 242, (20, 40), Z, 'list row, not ticked', tick_icon(False)),
    I('RowTicked', 243, (20, 40), Z, 'list row, ticked', tick_icon(True)),

    # --- ZeloraUpdate -------------------------------------------------------------------
    B('OfferBackground', 131, UPD_W, UPD_H, U, 'updater background, offer', None,
      updater_background('새 코덱 업데이트가 있습니다.',
                         ['지금 내려받아 설치하시겠습니까?'])),
    B('DownloadBackground', 140, UPD_W, UPD_H, U, 'updater background, downloading', None,
      updater_background('코덱을 내려받고 있습니다...',
                         ['받은 코덱은 차례로 설치됩니다.'], progress=True)),
    B('DoneBackground', 141, UPD_W, UPD_H, U, 'updater background, done', None,
      updater_background('코덱 업데이트를 마쳤습니다.',
                         ['[확인]을 누르면 Zelora를 시작합니다.'])),
    *updater_button(UPD_START, 'update button', '업데이트', 'primary'),
    *updater_button(UPD_CANCEL, 'cancel button', '취소'),
    *updater_button(UPD_OK, 'OK button', '확인', 'primary'),
    B('ProgressTile', 137, 8, 7, U, 'progress bar tile', None, progress_tile,
      note='size chosen: 7 rows fill the 9-pixel bar inside its frame; 8 identical columns'),
    I('UpdaterIcon', 128, (16, 32, 48), U, 'updater icon', app_icon(True)),
]

register(SKIN)
