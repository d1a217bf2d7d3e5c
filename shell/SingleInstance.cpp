#include "shell/SingleInstance.h"

namespace zelora {

SingleInstance::SingleInstance() : m_mutex(::CreateMutexW(nullptr, TRUE, L"Zelora by rukhel"))
{
    m_alreadyRunning = ::GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace zelora
