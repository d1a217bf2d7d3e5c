#include "preferred/PreferredRestoreOffer.h"

#include "platform/win/Notices.h"
#include "platform/win/WideText.h"
#include "preferred/PreferredChange.h"

namespace zelora {

int OfferPreferredRestore(const RegistryViews& views, RestoreOffer offer)
{
    PreferredChanges changes(views);
    if (!changes.HasAnyBackup()) return 0;
    if (offer == RestoreOffer::Ask &&
        !win::Ask(nullptr,
                  L"Zelora가 바꾼 Windows 우선 코덱이 있습니다.\n\n"
                  L"Zelora를 제거하기 전에 Windows가 쓰던 디코더와 키의 권한을 그대로 되돌릴까요?\n\n"
                  L"[아니요]를 누르면 지금 쓰는 디코더가 그대로 남습니다. 원래 값은 보관되어, "
                  L"Zelora를 다시 설치하면 \"Windows 기본값으로\"로 되돌릴 수 있습니다."))
        return 0;
    const ChangeResult result = changes.RestoreAll();
    if (result.done) return 0;
    if (offer == RestoreOffer::Ask) win::Tell(nullptr, win::Wide(result.message).c_str(), win::Notice::Warning);
    return 1;
}

}  // namespace zelora
