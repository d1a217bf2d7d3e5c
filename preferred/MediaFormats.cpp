#include "preferred/MediaFormats.h"
#include "platform/text/Text.h"

namespace zelora {
namespace {

// Each FOURCC in both cases where encoders write either: a Preferred value covers one
// subtype only, so a case left out is a file type still sent elsewhere.
constexpr Guid kH264[] = {FourCcSubtype("H264"), FourCcSubtype("h264"), FourCcSubtype("X264"),
                          FourCcSubtype("x264"), FourCcSubtype("AVC1"), FourCcSubtype("avc1"),
                          FourCcSubtype("VSSH"), FourCcSubtype("DAVC")};
constexpr Guid kHevc[] = {FourCcSubtype("HEVC"), FourCcSubtype("hevc"), FourCcSubtype("HVC1"),
                          FourCcSubtype("hvc1"), FourCcSubtype("HEV1"), FourCcSubtype("hev1"),
                          FourCcSubtype("H265"), FourCcSubtype("h265"), FourCcSubtype("X265"),
                          FourCcSubtype("x265")};
constexpr Guid kMpeg4Asp[] = {FourCcSubtype("XVID"), FourCcSubtype("xvid"), FourCcSubtype("DIVX"),
                              FourCcSubtype("divx"), FourCcSubtype("DX50"), FourCcSubtype("dx50"),
                              FourCcSubtype("MP4V"), FourCcSubtype("mp4v"), FourCcSubtype("FMP4"),
                              FourCcSubtype("fmp4"), FourCcSubtype("3IV2")};
constexpr Guid kMpeg2Video[] = {
    KnownGuid("{E06D8026-DB46-11CF-B4D1-00805F6CBBEA}"),  // MEDIASUBTYPE_MPEG2_VIDEO
    FourCcSubtype("MPG2"), FourCcSubtype("mpg2")};
constexpr Guid kVc1[] = {FourCcSubtype("WVC1"), FourCcSubtype("wvc1"), FourCcSubtype("WMV3"),
                         FourCcSubtype("wmv3"), FourCcSubtype("WMVA"), FourCcSubtype("wmva")};
constexpr Guid kMjpeg[] = {FourCcSubtype("MJPG"), FourCcSubtype("mjpg")};

constexpr Guid kAac[] = {
    WaveTagSubtype(0x00FF),  // raw AAC
    WaveTagSubtype(0x1600),  // ADTS
    WaveTagSubtype(0x1602),  // LATM/LOAS
    WaveTagSubtype(0x1610),  // HE-AAC
    FourCcSubtype("MP4A"), FourCcSubtype("mp4a")};
constexpr Guid kMp3[] = {WaveTagSubtype(0x0055)};  // WAVE_FORMAT_MPEGLAYER3
constexpr Guid kMpegAudio[] = {
    WaveTagSubtype(0x0050),                               // WAVE_FORMAT_MPEG: MPEG-1 payload
    KnownGuid("{E436EB80-524F-11CE-9F53-0020AF0BA770}"),  // MEDIASUBTYPE_MPEG1Packet
    KnownGuid("{E06D802B-DB46-11CF-B4D1-00805F6CBBEA}")};  // MEDIASUBTYPE_MPEG2_AUDIO
constexpr Guid kAc3[] = {
    KnownGuid("{E06D802C-DB46-11CF-B4D1-00805F6CBBEA}"),  // MEDIASUBTYPE_DOLBY_AC3
    WaveTagSubtype(0x2000),                               // WAVE_FORMAT_DVM (AC3 in AVI)
    WaveTagSubtype(0x0092),                               // AC3 over S/PDIF
    KnownGuid("{A7FB87AF-2D02-42FB-A4D4-05CD93843BDD}")};  // MEDIASUBTYPE_DOLBY_DDPLUS
constexpr Guid kDts[] = {
    KnownGuid("{E06D8033-DB46-11CF-B4D1-00805F6CBBEA}"),  // MEDIASUBTYPE_DTS
    WaveTagSubtype(0x2001)};                              // WAVE_FORMAT_DTS

constexpr MediaFormat kFormats[] = {
    {"h264", MediaGroup::Video, "H.264 (AVC)", kH264},
    {"hevc", MediaGroup::Video, "HEVC (H.265)", kHevc},
    {"mpeg4asp", MediaGroup::Video, "MPEG-4 ASP (Xvid/DivX)", kMpeg4Asp},
    {"mpeg2video", MediaGroup::Video, "MPEG-2 비디오", kMpeg2Video},
    {"vc1", MediaGroup::Video, "VC-1 / WMV9", kVc1},
    {"mjpeg", MediaGroup::Video, "MJPEG", kMjpeg},
    {"aac", MediaGroup::Audio, "AAC", kAac},
    {"mp3", MediaGroup::Audio, "MP3", kMp3},
    {"mpegaudio", MediaGroup::Audio, "MPEG 오디오 (MP1/MP2)", kMpegAudio},
    {"ac3", MediaGroup::Audio, "AC3 (돌비 디지털)", kAc3},
    {"dts", MediaGroup::Audio, "DTS", kDts},
};

}  // namespace

std::string GuidText(const Guid& guid)
{
    std::string text(38, '-');  // written in place: the page makes thousands of them
    std::size_t at = 0;
    text[at++] = '{';
    for (int pair = 0; pair < 16; ++pair) {
        if (detail::DashBefore(pair)) ++at;
        const std::uint8_t byte = guid.bytes[static_cast<std::size_t>(detail::kGuidByteOrder[pair])];
        text[at++] = HexDigit(byte >> 4u, true);
        text[at++] = HexDigit(byte, true);
    }
    text[at] = '}';
    return text;
}

std::span<const MediaFormat> MediaFormats() { return kFormats; }

const MediaFormat* FindMediaFormat(std::string_view id)
{
    for (const MediaFormat& format : kFormats)
        if (format.id == id) return &format;
    return nullptr;
}

}  // namespace zelora
