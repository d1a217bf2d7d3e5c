#pragma once
// OLE on the calling thread for the object's lifetime (nested sessions are counted by the
// system). Held by what hosts an OLE control, so a process loads OLE only when it needs it.

#include "platform/win/LateImports.h"

namespace zelora::win {

class OleSession {
public:
    OleSession() : m_result(late::OleInitialize(nullptr)) {}
    ~OleSession()
    {
        if (SUCCEEDED(m_result)) late::OleUninitialize();
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

private:
    HRESULT m_result;
};

}  // namespace zelora::win
