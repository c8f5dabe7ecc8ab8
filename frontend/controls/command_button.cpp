#include "frontend/controls/command_button.h"

#include <algorithm>
#include <string>
#include <type_traits>
#include <utility>

#include "frontend/controls/accessibility.h"
#include "frontend/controls/dpi.h"
#include "frontend/controls/face_painter.h"

namespace nuvrel {
namespace {

constexpr UINT_PTR HoverTimer = 1;
constexpr UINT HoverInterval = 100;  // milliseconds

// One button window: the rules' state and what the window keeps to draw it.
class CommandWindow final : public CommandButtonHost {
  public:
    CommandWindow(HWND window, HWND dialog) : window_(window), dialog_(dialog) {}

    void PaintFace(FaceImage image) override {
        face_.Paint(image, button.GradientInverted, ClientSize(), Dpi());
        lastFace_ = image;
        painted_ = true;
        InvalidateRect(window_, nullptr, FALSE);
        UpdateWindow(window_);
    }

    // Sent, not posted: the dialog handles the click before the button does anything more,
    // and may destroy the button meanwhile.
    void RaiseClick() override {
        SendMessageW(dialog_, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window_), BN_CLICKED),
                     reinterpret_cast<LPARAM>(window_));
    }

    // Descriptions are saved whole, so which properties changed is not needed here.
    void PropertyChanged(const char*) override {}

    Font DialogFont() const {
        const auto font = reinterpret_cast<HFONT>(SendMessageW(dialog_, WM_GETFONT, 0, 0));
        LOGFONTW logFont{};
        if (font && GetObjectW(font, sizeof logFont, &logFont) == sizeof logFont) {
            return FontOf(logFont, Dpi());
        }
        return Font{};
    }

    SIZE ClientSize() const {
        RECT client{};
        GetClientRect(window_, &client);
        return {client.right, client.bottom};
    }

    // The caption is part of the window's face: every change of the label shows at once.
    // The caption is the window's text too, which a screen reader reads as its name.
    void LabelChanged() {
        const std::wstring text(button.Label.Caption.begin(), button.Label.Caption.end());
        DefWindowProcW(window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        InvalidateRect(window_, nullptr, FALSE);
        ShowEnabled();
    }

    // A disabled button is no Tab stop, and a screen reader hears that it is unavailable.
    // The window itself stays enabled: the mouse rules of a disabled button are its own.
    void ShowEnabled() {
        const LONG_PTR style = GetWindowLongPtrW(window_, GWL_STYLE);
        const LONG_PTR wanted = button.Enabled ? style | WS_TABSTOP : style & ~WS_TABSTOP;
        if (wanted != style) {
            SetWindowLongPtrW(window_, GWL_STYLE, wanted);
        }
        if (button.Enabled) {
            ClearAnnotatedState(window_);
        } else {
            AnnotateState(window_, STATE_SYSTEM_UNAVAILABLE);
        }
    }

    // The dialog's default button is the one whose id it gives for DM_GETDEFID.
    bool IsDefault() const {
        const LRESULT answer = SendMessageW(dialog_, DM_GETDEFID, 0, 0);
        return HIWORD(answer) == DC_HASDEFID && LOWORD(answer) == GetDlgCtrlID(window_);
    }

    void Paint() {
        PAINTSTRUCT paint;
        HDC screen = BeginPaint(window_, &paint);
        const SIZE size = ClientSize();
        HDC dc = CreateCompatibleDC(screen);
        HBITMAP bitmap =
            CreateCompatibleBitmap(screen, std::max<LONG>(size.cx, 1), std::max<LONG>(size.cy, 1));
        const HGDIOBJ original = SelectObject(dc, bitmap);
        if (button.Background == BackgroundStyle::Opaque) {
            face_.CopyTo(dc, size);
        } else {
            DrawParentBackground(window_, dc);
        }
        DrawCaption(dc, size, button.Label, font_.For(*button.Label.TextFont, Dpi()), Dpi());
        BitBlt(screen, 0, 0, size.cx, size.cy, dc, 0, 0, SRCCOPY);
        SelectObject(dc, original);
        DeleteObject(bitmap);
        DeleteDC(dc);
        EndPaint(window_, &paint);
    }

    bool PointerOverButton() const {
        POINT cursor{};
        if (!GetCursorPos(&cursor)) {
            return true;
        }
        return WindowFromPoint(cursor) == window_;
    }

    bool Contains(LPARAM point) const {
        const POINT p{static_cast<short>(LOWORD(point)), static_cast<short>(HIWORD(point))};
        RECT client{};
        GetClientRect(window_, &client);
        return PtInRect(&client, p) != FALSE;
    }

    HFONT CurrentFont() { return font_.For(*button.Label.TextFont, Dpi()); }

    // The DPI of the monitor the button is on: its face and caption are drawn at it.
    int Dpi() const { return DpiOfWindow(window_); }

    CommandLook Look() const {
        return {button.State,   lastFace_,         painted_, button.GradientInverted,
                button.Enabled, button.MouseIsDown};
    }

    CommandButton button;
    bool releasingCapture = false;  // the button lets the mouse go after its own release

  private:
    HWND window_;
    HWND dialog_;
    FaceBitmap face_;
    CaptionFont font_;
    FaceImage lastFace_ = FaceImage::Normal;
    bool painted_ = false;
};

CommandWindow* WindowOf(HWND window) {
    if (!window) {
        return nullptr;
    }
    wchar_t className[32] = {};
    GetClassNameW(window, className, 32);
    if (std::wstring(className) != CommandClassName) {
        return nullptr;
    }
    return reinterpret_cast<CommandWindow*>(GetWindowLongPtrW(window, 0));
}

void OnCreate(HWND window, const CREATESTRUCTW& create) {
    auto* self = new CommandWindow(window, create.hwndParent);
    SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(self));
    if (const auto* stored = static_cast<const PropertyBag*>(create.lpCreateParams)) {
        ReadProperties(self->button, *stored, self->DialogFont(), *self);
    } else if (create.lpszName && *create.lpszName) {
        const std::wstring name = create.lpszName;
        SetCaption(self->button, std::u16string(name.begin(), name.end()), *self);
    }
    AnnotateRole(window, AccessibleRole::PushButton, L"Click");
    self->LabelChanged();
    SetTimer(window, HoverTimer, HoverInterval, nullptr);
}

Key KeyOf(WPARAM virtualKey) {
    switch (virtualKey) {
        case VK_SPACE:
            return Key::Space;
        case VK_RETURN:
            return Key::Enter;
        default:
            return Key::Other;
    }
}

// A push button to the dialog manager (IsDialogMessage), which then leaves it Space, and
// Enter too, while the button takes it.
LRESULT DialogCodeOf(const CommandWindow& self, const MSG* message) {
    const Key key =
        message != nullptr && message->message == WM_KEYDOWN ? KeyOf(message->wParam) : Key::Other;
    const DialogCode code = CommandDialogCode(self.IsDefault(), self.button.Enabled, key);
    return DLGC_BUTTON | (code.defaultButton ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON) |
           (code.wantsKey ? DLGC_WANTMESSAGE : 0);
}

MouseButton MouseButtonOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            return MouseButton::Left;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
            return MouseButton::Right;
        default:
            return MouseButton::Middle;
    }
}

constexpr WPARAM AnyButton = MK_LBUTTON | MK_RBUTTON | MK_MBUTTON;

// Like any window the button keeps the mouse while a button is held, so a release away
// from it is still its release.
void OnButtonDown(CommandWindow& self, HWND window, UINT message) {
    const MouseButton button = MouseButtonOf(message);
    if (button == MouseButton::Left && self.button.Enabled && GetFocus() != window) {
        SetFocus(window);
    }
    SetCapture(window);
    self.button.MouseDown(button, self);
}

void OnButtonUp(CommandWindow& self, HWND window, UINT message, WPARAM held) {
    if ((held & AnyButton) == 0 && GetCapture() == window) {
        self.releasingCapture = true;
        ReleaseCapture();
        self.releasingCapture = false;
    }
    // Last: the click may end the button.
    self.button.MouseUp(MouseButtonOf(message), self);
}

// Another window took the mouse while a button was held here: its release will not come.
void OnCaptureChanged(CommandWindow& self, HWND window, HWND newCapture) {
    if (newCapture != window && !self.releasingCapture) {
        self.button.PressesLost(self);
    }
}

LRESULT CALLBACK CommandProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        OnCreate(window, *reinterpret_cast<const CREATESTRUCTW*>(lParam));
        return 0;
    }
    auto* self = reinterpret_cast<CommandWindow*>(GetWindowLongPtrW(window, 0));
    if (!self) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_DESTROY:
            ClearAnnotations(window);
            break;
        case WM_NCDESTROY:
            SetWindowLongPtrW(window, 0, 0);
            delete self;
            break;
        case WM_SIZE:
            self->button.RefreshEnabledLook(*self);
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            self->Paint();
            return 0;
        case WM_SETFOCUS:
            self->button.GotFocus(*self);
            return 0;
        case WM_KILLFOCUS:
            self->button.LostFocus(*self);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            OnButtonDown(*self, window, message);
            return 0;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            OnButtonUp(*self, window, message, wParam);
            return 0;
        case WM_GETDLGCODE:
            return DialogCodeOf(*self, reinterpret_cast<const MSG*>(lParam));
        // Last: the click may end the button.
        case WM_KEYDOWN:
            self->button.KeyDown(KeyOf(wParam), *self);
            return 0;
        case WM_KEYUP:
            self->button.KeyUp(KeyOf(wParam), *self);
            return 0;
        case WM_CAPTURECHANGED:
            OnCaptureChanged(*self, window, reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_MOUSEMOVE:
            // While the mouse is held, moves away from the button arrive here too.
            if (self->Contains(lParam)) {
                self->button.MouseMove(*self);
            }
            return 0;
        case WM_TIMER:
            if (wParam == HoverTimer) {
                self->button.HoverTick(self->PointerOverButton(), *self);
                return 0;
            }
            break;
        case WM_SETTEXT: {
            const std::wstring text = lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"";
            SetCaption(self->button, std::u16string(text.begin(), text.end()), *self);
            self->LabelChanged();
            return TRUE;
        }
        case WM_SETFONT: {
            LOGFONTW logFont{};
            if (wParam && GetObjectW(reinterpret_cast<HFONT>(wParam), sizeof logFont, &logFont)) {
                SetFont(self->button, std::make_shared<Font>(FontOf(logFont, self->Dpi())), *self);
                if (LOWORD(lParam)) {
                    self->LabelChanged();
                }
            }
            return 0;
        }
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(self->CurrentFont());
        default:
            break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Runs the action on the button's state; a window of another class gets nothing done and
// a default answer.
template <typename Action>
auto WithButton(HWND window, Action action) {
    using Result = decltype(action(std::declval<CommandWindow&>()));
    CommandWindow* self = WindowOf(window);
    if constexpr (std::is_void_v<Result>) {
        if (self) {
            action(*self);
        }
    } else {
        return self ? action(*self) : Result{};
    }
}

}  // namespace

bool RegisterCommandClass() {
    static const bool registered = [] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = CommandProc;
        windowClass.cbWndExtra = sizeof(CommandWindow*);
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.lpszClassName = CommandClassName;
        return RegisterClassExW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

HWND CreateCommandButton(HWND dialog, int id, const RECT& bounds, const PropertyBag& stored) {
    if (!RegisterCommandClass()) {
        return nullptr;
    }
    return CreateWindowExW(0, CommandClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP,
                           bounds.left, bounds.top, bounds.right - bounds.left,
                           bounds.bottom - bounds.top, dialog,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), const_cast<PropertyBag*>(&stored));
}

bool GetCommandEnabled(HWND button) {
    return WithButton(button, [](CommandWindow& self) {
        const bool enabled = GetEnabled(self.button, self);  // the first read enables the button
        self.ShowEnabled();
        return enabled;
    });
}

void SetCommandEnabled(HWND button, bool enabled) {
    WithButton(button, [enabled](CommandWindow& self) {
        SetEnabled(self.button, enabled, self);
        self.LabelChanged();
    });
}

std::u16string GetCommandCaption(HWND button) {
    return WithButton(button, [](CommandWindow& self) { return GetCaption(self.button); });
}

void SetCommandCaption(HWND button, std::u16string caption) {
    WithButton(button, [&caption](CommandWindow& self) {
        SetCaption(self.button, std::move(caption), self);
        self.LabelChanged();
    });
}

std::shared_ptr<Font> GetCommandFont(HWND button) {
    return WithButton(button, [](CommandWindow& self) { return GetFont(self.button); });
}

void SetCommandFont(HWND button, std::shared_ptr<Font> font) {
    WithButton(button, [&font](CommandWindow& self) {
        SetFont(self.button, std::move(font), self);
        self.LabelChanged();
    });
}

std::uint32_t GetCommandFontColour(HWND button) {
    return WithButton(button, [](CommandWindow& self) { return GetFontColour(self.button, self); });
}

void SetCommandFontColour(HWND button, std::uint32_t colour) {
    WithButton(button, [colour](CommandWindow& self) {
        SetFontColour(self.button, colour, self);
        self.LabelChanged();
    });
}

bool GetCommandVisible(HWND button) {
    return WithButton(button, [](CommandWindow& self) { return GetVisible(self.button, self); });
}

void SetCommandVisible(HWND button, bool visible) {
    WithButton(button, [visible](CommandWindow& self) {
        SetVisible(self.button, visible, self);
        self.LabelChanged();
    });
}

void SaveCommandProperties(HWND button, PropertyBag& store) {
    WithButton(button, [&store](CommandWindow& self) {
        WriteProperties(self.button, store, self.DialogFont(), self);
    });
}

std::optional<CommandLook> InspectCommand(HWND button) {
    return WithButton(button,
                      [](CommandWindow& self) { return std::optional<CommandLook>(self.Look()); });
}

}  // namespace nuvrel
