#pragma once

// What a screen reader learns of a control window beyond what the system's accessibility
// proxy finds by itself (the window's text is its name, the focus its focus): its role, its
// state and its default action, through the system's Dynamic Annotation service. The service
// is created at run time where oleacc offers it (Windows Vista and later) on a thread that
// has initialised COM; where it is missing nothing is told and the proxy's answers stand.

#include <windows.h>

namespace nuvrel {

enum class AccessibleRole { PushButton, RadioButton };

void AnnotateRole(HWND window, AccessibleRole role, const wchar_t* defaultAction);
// The whole state (STATE_SYSTEM_* bits), in place of the proxy's.
void AnnotateState(HWND window, DWORD state);
// The proxy's state again.
void ClearAnnotatedState(HWND window);
// Everything told of the window; for its WM_DESTROY.
void ClearAnnotations(HWND window);
// Lets the service go; for the thread's end of COM.
void ReleaseAnnotations();

}  // namespace nuvrel
