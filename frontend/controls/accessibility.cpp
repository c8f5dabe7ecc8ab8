#include "frontend/controls/accessibility.h"

#include <oleacc.h>

#include <array>

namespace nuvrel {
namespace {

constexpr CLSID AccPropServicesClass{
    0xb5f8350b, 0x0548, 0x48b1, {0xa6, 0xee, 0x88, 0xbd, 0x00, 0xb4, 0xa5, 0xe7}};
constexpr IID AccPropServicesInterface{
    0x6e26e776, 0x04f0, 0x495d, {0x80, 0xe4, 0x33, 0x30, 0x35, 0x2e, 0x31, 0x69}};
constexpr MSAAPROPID RoleProperty{
    0xcb905ff2, 0x7bd1, 0x4c05, {0xb3, 0xc8, 0xe6, 0xc2, 0x41, 0x36, 0x4d, 0x70}};
constexpr MSAAPROPID StateProperty{
    0xa8d4d5b0, 0x0a21, 0x42d0, {0xa5, 0xc0, 0x51, 0x4e, 0x98, 0x4f, 0x45, 0x7b}};
constexpr MSAAPROPID DefaultActionProperty{
    0x180c072b, 0xc27f, 0x43c7, {0x99, 0x22, 0xf6, 0x35, 0x62, 0xa4, 0x63, 0x2b}};

IAccPropServices* service = nullptr;

// Made on first use; a thread without COM, or a system without the service, gets none and
// asks again next time.
IAccPropServices* Service() {
    if (service == nullptr) {
        void* made = nullptr;
        if (SUCCEEDED(CoCreateInstance(AccPropServicesClass, nullptr, CLSCTX_INPROC_SERVER,
                                       AccPropServicesInterface, &made))) {
            service = static_cast<IAccPropServices*>(made);
        }
    }
    return service;
}

VARIANT Number(LONG value) {
    VARIANT variant{};
    variant.vt = VT_I4;
    variant.lVal = value;
    return variant;
}

LONG RoleNumber(AccessibleRole role) {
    return role == AccessibleRole::PushButton ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_RADIOBUTTON;
}

}  // namespace

void AnnotateRole(HWND window, AccessibleRole role, const wchar_t* defaultAction) {
    if (IAccPropServices* annotations = Service()) {
        annotations->SetHwndProp(window, OBJID_CLIENT, CHILDID_SELF, RoleProperty,
                                 Number(RoleNumber(role)));
        annotations->SetHwndPropStr(window, OBJID_CLIENT, CHILDID_SELF, DefaultActionProperty,
                                    defaultAction);
    }
}

void AnnotateState(HWND window, DWORD state) {
    if (IAccPropServices* annotations = Service()) {
        annotations->SetHwndProp(window, OBJID_CLIENT, CHILDID_SELF, StateProperty,
                                 Number(static_cast<LONG>(state)));
    }
}

void ClearAnnotatedState(HWND window) {
    if (IAccPropServices* annotations = Service()) {
        MSAAPROPID state = StateProperty;
        annotations->ClearHwndProps(window, OBJID_CLIENT, CHILDID_SELF, &state, 1);
    }
}

void ClearAnnotations(HWND window) {
    if (IAccPropServices* annotations = Service()) {
        std::array<MSAAPROPID, 3> all{RoleProperty, StateProperty, DefaultActionProperty};
        annotations->ClearHwndProps(window, OBJID_CLIENT, CHILDID_SELF, all.data(),
                                    static_cast<int>(all.size()));
    }
}

void ReleaseAnnotations() {
    if (service != nullptr) {
        service->Release();
        service = nullptr;
    }
}

}  // namespace nuvrel
