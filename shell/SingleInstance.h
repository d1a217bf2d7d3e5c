#pragma once
// One Zelora at a time: the named mutex "Zelora by rukhel", taken before any window exists,
// so a second copy ends without ever showing one. The first copy keeps the handle for the
// life of its process.

#include "platform/win/UniqueHandle.h"

namespace zelora {

class SingleInstance {
public:
    SingleInstance();
    // True when another copy held the mutex first.
    bool AlreadyRunning() const { return m_alreadyRunning; }

private:
    win::UniqueKernelHandle m_mutex;
    bool m_alreadyRunning = false;
};

}  // namespace zelora
