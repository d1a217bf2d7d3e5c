// What a screen reader is told of a standard control, and that an object it still holds after
// the window is gone answers "disconnected" instead of touching the dead window's source.

#include "platform/win/Accessible.h"
#include "platform/win/ComPtr.h"
#include "platform/win/LateImports.h"
#include "WinTestSupport.h"

#include <gtest/gtest.h>

#include <oleacc.h>

namespace zelora {
namespace {

VARIANT Self()
{
    VARIANT child;
    ::VariantInit(&child);
    child.vt = VT_I4;
    child.lVal = CHILDID_SELF;
    return child;
}

std::wstring Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), IAccessible* object)
{
    BSTR text = nullptr;
    std::wstring out;
    if ((object->*get)(Self(), &text) == S_OK && text) out = text;
    ::SysFreeString(text);
    return out;
}

long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), IAccessible* object)
{
    VARIANT value;
    ::VariantInit(&value);
    return SUCCEEDED((object->*get)(Self(), &value)) && value.vt == VT_I4 ? value.lVal : -1;
}

TEST(Accessible, StandardControlsTellTheirRoleNameStateAndOutliveTheirWindow)
{
    wintest::PageParent parent;
    const HWND label = ::CreateWindowExW(0, L"STATIC", L"출력 &색상 :", WS_CHILD, 0, 0, 50, 10, parent.Get(),
                                         nullptr, nullptr, nullptr);
    const HWND edit = ::CreateWindowExW(0, L"EDIT", L"42", WS_CHILD | WS_TABSTOP, 0, 20, 50, 10, parent.Get(),
                                        nullptr, nullptr, nullptr);
    const HWND box = ::CreateWindowExW(0, L"BUTTON", L"&Flip", WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX, 0, 40, 50,
                                       10, parent.Get(), nullptr, nullptr, nullptr);
    ASSERT_TRUE(label && edit && box);
    win::DescribeStandardControls(parent.Get());

    win::ComPtr<IAccessible> object;
    ASSERT_HRESULT_SUCCEEDED(
        ::AccessibleObjectFromWindow(edit, static_cast<DWORD>(OBJID_CLIENT), win::kIidAccessible, object.PutVoid()));
    // An edit is named by its label (mnemonic and colon dropped), never by the number it holds.
    EXPECT_EQ(Number(&IAccessible::get_accRole, object.Get()), ROLE_SYSTEM_TEXT);
    EXPECT_EQ(Text(&IAccessible::get_accName, object.Get()), L"출력 색상");
    EXPECT_EQ(Text(&IAccessible::get_accKeyboardShortcut, object.Get()), L"Alt+색");

    ASSERT_HRESULT_SUCCEEDED(
        ::AccessibleObjectFromWindow(box, static_cast<DWORD>(OBJID_CLIENT), win::kIidAccessible, object.PutVoid()));
    EXPECT_EQ(Number(&IAccessible::get_accRole, object.Get()), ROLE_SYSTEM_CHECKBUTTON);
    EXPECT_EQ(Text(&IAccessible::get_accName, object.Get()), L"Flip");
    EXPECT_FALSE(Number(&IAccessible::get_accState, object.Get()) & STATE_SYSTEM_CHECKED);
    ::SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(Number(&IAccessible::get_accState, object.Get()) & STATE_SYSTEM_CHECKED);
    EXPECT_EQ(Text(&IAccessible::get_accDefaultAction, object.Get()), L"선택 해제");

    ::DestroyWindow(box);
    BSTR name = nullptr;
    EXPECT_EQ(object->get_accName(Self(), &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(name, nullptr);
}

// What a start does not load is found when first called, and what cannot be found fails
// instead of being called.
TEST(LateImports, BindOnFirstCallAndFailWhenMissing)
{
    EXPECT_NE(win::late::Bind(win::late::Dll::OleAcc, "LresultFromObject"), nullptr);
    EXPECT_EQ(win::late::Bind(win::late::Dll::OleAcc, "NoSuchFunction"), nullptr);
    const decltype(&::CoCreateInstance) missing = nullptr;
    void* object = &object;
    EXPECT_EQ(win::late::Call(missing, win::late::kNotBound, CLSID_NULL, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object),
              win::late::kNotBound);
    const decltype(&::SysFreeString) missingVoid = nullptr;
    win::late::Call(missingVoid, 0, nullptr);  // nothing called
    BSTR text = win::late::SysAllocString(L"\uC790\uB9C9");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::wstring(text), L"\uC790\uB9C9");
    win::late::SysFreeString(text);
}

}  // namespace
}  // namespace zelora
