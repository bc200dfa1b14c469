#include "vector/settings_window_win.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <string>
#include <vector>

#include "base/rect_win.h"
#include "base/window_text_win.h"
#include "chrome/skin_win.h"
#include "res/resource.h"
#include "vector/settings_controls.h"

namespace tolvik {
namespace {

constexpr UINT_PTR kScaleTimer = IDT_VECTOR_RERENDER;
constexpr UINT kScaleTimerPeriod = 200;      // ms between checks of the deadline
constexpr std::uint32_t kRerenderDelay = 200;  // ms after the last trackbar movement
constexpr COLORREF kDarkGrey = RGB(55, 55, 55);
constexpr std::size_t kMaxSearchChars = 258;
constexpr const char* kFolderChooserTitle = "Enter new map directory";

HBRUSH StockBrush(int which) { return static_cast<HBRUSH>(GetStockObject(which)); }

void RepaintNow(HWND control) { RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

// Asks the main window to select the map of the Current Zone Name again,
// which renders it anew.
void ReloadMap(Program& program) {
    SendMessageA(static_cast<HWND>(program.app.mainWindow), WM_TOLVIK_RELOAD_ZONE_MAP, 0, 0);
}

bool ChooseColour(HWND owner, Program& program, std::uint32_t& color) { return program.seams.chooseColor(owner, color); }

bool ChooseFolder(HWND window, Program& program, std::string& folder) {
    return program.seams.pickFolder(window, CSIDL_DRIVES, folder, kFolderChooserTitle);
}

void SetTrackbar(HWND window, int id, int low, int high, int position) {
    SendDlgItemMessageA(window, id, TBM_SETRANGE, FALSE, MAKELPARAM(low, high));
    SendDlgItemMessageA(window, id, TBM_SETPOS, TRUE, position);
}

// ---------------------------------------------------------------------------
// Message handlers.
// ---------------------------------------------------------------------------

INT_PTR OnInitDialog(HWND window, Program& program) {
    AppState& app = program.app;
    const VectorMapSettings& v = app.vector;
    SetDlgItemTextA(window, IDC_VM_FOLDER, app.vectorMapFolder.c_str());
    SetDlgItemTextA(window, IDC_VM_SEARCH, v.SearchFilter.c_str());

    SetTrackbar(window, IDC_VM_SCALE, kMinMapResolution, kMaxMapResolution, v.MapResolution);
    SetTrackbar(window, IDC_VM_FONT_SIZE, kMinFontAdjust, kMaxFontAdjust, v.FontAdjust);
    SetTrackbar(window, IDC_VM_SPACING, kMinLabelSpacing, kMaxLabelSpacing, v.LabelSpacing);

    SetDlgItemInt(window, IDC_VM_FILTER_LOW, static_cast<UINT>(v.FilterLow), FALSE);
    SetDlgItemInt(window, IDC_VM_FILTER_HIGH, static_cast<UINT>(v.FilterHigh), FALSE);
    SetDlgItemInt(window, IDC_VM_SCALE_VALUE, static_cast<UINT>(v.MapResolution), FALSE);

    WinResources& gdi = program.gdi;
    if (!gdi.vectorDarkBrush) gdi.vectorDarkBrush.reset(CreateSolidBrush(kDarkGrey));
    if (!gdi.vectorSwatchBrush) gdi.vectorSwatchBrush.reset(CreateSolidBrush(v.Color));
    if (!gdi.vectorDialogTexture || !gdi.vectorButtonTexture) {
        LoadSkinTextures(program, gdi.vectorDialogTexture, gdi.vectorButtonTexture);
    }
    return TRUE;
}

INT_PTR OnDrawItem(Program& program, const DRAWITEMSTRUCT* item) {
    if (!item || item->CtlType != ODT_BUTTON) return FALSE;
    const int id = static_cast<int>(item->CtlID);
    if (id == IDC_VM_SWATCH) {
        FillRect(item->hDC, &item->rcItem, program.gdi.vectorSwatchBrush.get());
        return TRUE;
    }
    const std::string caption = WindowText(item->hwndItem, kMaxButtonCaptionChars);
    DrawSkinnedButton(*item, program.gdi.vectorButtonTexture.get(),
                      VectorSettingsButtonText(id, program.app.vector, caption));
    return TRUE;
}

bool IsClass(HWND control, const char* name) {
    char className[64] = {};
    GetClassNameA(control, className, sizeof className);
    return lstrcmpiA(className, name) == 0;
}

HBRUSH ControlColor(Program& program, UINT message, HDC dc, HWND control) {
    const HBRUSH dark = program.gdi.vectorDarkBrush.get();
    switch (message) {
    case WM_CTLCOLOREDIT:
        SetTextColor(dc, RGB(240, 240, 240));
        SetBkColor(dc, RGB(0, 0, 0));
        return StockBrush(BLACK_BRUSH);
    case WM_CTLCOLORBTN:
        SetTextColor(dc, RGB(255, 255, 255));
        SetBkColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        return StockBrush(HOLLOW_BRUSH);
    case WM_CTLCOLORSTATIC: {
        const int id = GetDlgCtrlID(control);
        if (id == IDC_VM_SCALE || id == IDC_VM_FONT_SIZE || id == IDC_VM_SPACING) {
            SetBkMode(dc, TRANSPARENT);
            SelectObject(dc, GetStockObject(WHITE_PEN));
            return dark;
        }
        if (IsClass(control, "Button")) {
            SetTextColor(dc, RGB(255, 255, 255));
            SetBkColor(dc, kDarkGrey);
            return dark;
        }
        if (IsClass(control, "Static")) {
            SetTextColor(dc, RGB(255, 255, 255));
            SetBkMode(dc, TRANSPARENT);
            return StockBrush(HOLLOW_BRUSH);
        }
        SetTextColor(dc, RGB(188, 188, 188));
        SetBkColor(dc, kDarkGrey);
        return dark;
    }
    default:
        return nullptr;
    }
}

void ToggleSetting(HWND window, Program& program, int id, int* flag) {
    *flag = *flag ? 0 : 1;
    RepaintNow(GetDlgItem(window, id));
    ReloadMap(program);
}

void ChangeBackgroundColour(HWND window, Program& program) {
    std::uint32_t color = program.app.vector.Color;
    if (!ChooseColour(window, program, color)) return;
    program.app.vector.Color = color;
    program.gdi.vectorSwatchBrush.reset(CreateSolidBrush(color));
    ReloadMap(program);
    RepaintNow(GetDlgItem(window, IDC_VM_SWATCH));
}

void ChangeMapFolder(HWND window, Program& program) {
    AppState& app = program.app;
    app.vectorMapFolder = WindowText(GetDlgItem(window, IDC_VM_FOLDER), kMaxPathChars);
    std::string folder = app.vectorMapFolder;
    if (!ChooseFolder(window, program, folder)) return;
    if (folder.empty() || folder.back() != '\\') folder += '\\';
    app.vectorMapFolder = folder;
    SetDlgItemTextA(window, IDC_VM_FOLDER, folder.c_str());
    ReloadMap(program);
}

void ChangeSearchFilter(HWND window, Program& program) {
    const std::string text = WindowText(GetDlgItem(window, IDC_VM_SEARCH), kMaxSearchChars);
    if (text == program.app.vector.SearchFilter) return;
    program.app.vector.SearchFilter = text;
    ReloadMap(program);
}

// A number typed in the Low or High field becomes the setting at once;
// a field that holds no number changes nothing.
void ChangeFilterBound(HWND window, Program& program, int id) {
    int& bound = id == IDC_VM_FILTER_LOW ? program.app.vector.FilterLow : program.app.vector.FilterHigh;
    int value = 0;
    if (!ParseFilterField(WholeWindowText(GetDlgItem(window, id)), value) || value == bound) return;
    bound = value;
    ReloadMap(program);
}

void CloseSettingsWindow(HWND window, Program& program) {
    // A trackbar movement whose render is still waiting gets it now.
    if (KillTimer(window, kScaleTimer)) ReloadMap(program);
    DestroyWindow(window);
}

INT_PTR OnCommand(HWND window, Program& program, WPARAM wParam) {
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    if (id == IDC_VM_CLOSE || id == IDCANCEL) {
        CloseSettingsWindow(window, program);
        return TRUE;
    }
    if (id == IDC_VM_SEARCH || id == IDC_VM_FILTER_LOW || id == IDC_VM_FILTER_HIGH) {
        if (code != EN_CHANGE) return FALSE;
        if (id == IDC_VM_SEARCH) {
            ChangeSearchFilter(window, program);
        } else {
            ChangeFilterBound(window, program, id);
        }
        return TRUE;
    }
    // Owner-drawn buttons report a quick second click as a double click.
    if (code != BN_CLICKED && code != BN_DOUBLECLICKED) return FALSE;
    if (int* flag = VectorToggleFlag(program.app.vector, id)) {
        ToggleSetting(window, program, id, flag);
    } else if (id == IDC_VM_COLOR) {
        ChangeBackgroundColour(window, program);
    } else if (id == IDC_VM_SELECT_FOLDER) {
        ChangeMapFolder(window, program);
    } else {
        return FALSE;
    }
    return TRUE;
}

INT_PTR OnTrackbar(HWND window, Program& program, HWND bar) {
    if (!bar) return FALSE;
    const int id = GetDlgCtrlID(bar);
    const int position = static_cast<int>(SendMessageA(bar, TBM_GETPOS, 0, 0));
    VectorMapSettings& v = program.app.vector;
    switch (id) {
    case IDC_VM_SCALE:
        v.MapResolution = position;
        SetDlgItemInt(window, IDC_VM_SCALE_VALUE, static_cast<UINT>(position), FALSE);
        RepaintNow(GetDlgItem(window, IDC_VM_SCALE_VALUE));
        break;
    case IDC_VM_FONT_SIZE:
        v.FontAdjust = position;
        break;
    case IDC_VM_SPACING:
        v.LabelSpacing = position;
        break;
    default:
        return FALSE;
    }
    program.app.vectorRerenderDue = program.seams.tickCount() + kRerenderDelay;
    KillTimer(window, kScaleTimer);
    SetTimer(window, kScaleTimer, kScaleTimerPeriod, nullptr);
    return TRUE;
}

void OnScaleTimer(HWND window, Program& program) {
    if (!TickPastDeadline(program.seams.tickCount(), program.app.vectorRerenderDue)) return;
    // A tick already queued when the timer stopped finds it gone.
    if (KillTimer(window, kScaleTimer)) ReloadMap(program);
}

Rect ScreenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return ToRect(r);
}

// Centres the window on its owner, wholly on the work area of the owner's monitor.
void PlaceOverOwner(HWND window, HWND owner) {
    if (!owner) return;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    const RECT& work = monitor.rcWork;
    const Rect placed =
        CentredOn(ScreenRect(window), ScreenRect(owner), ToRect(work));
    SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

INT_PTR CALLBACK VectorSettingsProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        AttachProgram(window, reinterpret_cast<Program*>(lParam));
        return lParam ? OnInitDialog(window, ProgramOf(window)) : TRUE;
    }
    Program* program = TryProgramOf(window);
    if (!program) return FALSE;

    switch (message) {
    case WM_COMMAND:
        return OnCommand(window, *program, wParam);
    case WM_HSCROLL:
        return OnTrackbar(window, *program, reinterpret_cast<HWND>(lParam));
    case WM_TIMER:
        if (wParam != kScaleTimer) return FALSE;
        OnScaleTimer(window, *program);
        return TRUE;
    case WM_DRAWITEM:
        return OnDrawItem(*program, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_ERASEBKGND:
        PaintStretchedBackground(window, reinterpret_cast<HDC>(wParam), program->gdi.vectorDialogTexture.get());
        SetWindowLongPtrA(window, DWLP_MSGRESULT, 1);
        return TRUE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        return reinterpret_cast<INT_PTR>(
            ControlColor(*program, message, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_DESTROY:
        KillTimer(window, kScaleTimer);
        return FALSE;
    default:
        FollowForeignLoop(*program, message);
        return FALSE;
    }
}

HWND OpenVectorSettingsWindow(HWND owner, Program& program) {
    const HWND window = CreateDialogParamA(GetModuleHandleA(nullptr), "EQVMAPSETTINGS", owner, VectorSettingsProc,
                                           reinterpret_cast<LPARAM>(&program));
    if (!window) return nullptr;
    PlaceOverOwner(window, owner);
    ShowWindow(window, SW_SHOW);
    return window;
}

}  // namespace tolvik
