#include "app/main_window_win.h"

#include <commctrl.h>
#include <windowsx.h>

#include <array>
#include <vector>

#include "base/number_text.h"
#include "base/window_text_win.h"
#include "app/marks_win.h"
#include "app/settings_win.h"
#include "app/tick_pace.h"
#include "chrome/context_menu_win.h"
#include "chrome/hover_text_win.h"
#include "chrome/layout_win.h"
#include "chrome/links_win.h"
#include "chrome/marks_menu_win.h"
#include "chrome/skin_win.h"
#include "log/discovery.h"
#include "log/log_reader.h"
#include "log/log_source_win.h"
#include "raster/calibration_win.h"
#include "app/map_select_win.h"
#include "app/map_zoom_win.h"
#include "raster/map_texts.h"
#include "raster/map_view_win.h"
#include "res/resource.h"
#include "res/version.h"
#include "vector/settings_window_win.h"

namespace tolvik {
namespace {

constexpr const char* kMyZone = "< my zone >";
constexpr UINT kZoneListSelectionChanged = 1;  // CBN_SELCHANGE

// Sets a field's text; a field that already shows it is left alone (and not
// painted again: the position fields are set at every read of the log).
void SetFieldText(HWND field, const std::string& text) {
    if (WholeWindowText(field) != text) SetWindowTextA(field, text.c_str());
}

void SetField(HWND window, int id, const std::string& text) { SetFieldText(GetDlgItem(window, id), text); }

void RepaintControl(HWND window, int id) { InvalidateRect(GetDlgItem(window, id), nullptr, TRUE); }

void PlaceOnTop(HWND window, int onTop) {
    SetWindowPos(window, onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// Connects the log reader to this window.
class WindowLogHooks final : public LogHooks {
public:
    WindowLogHooks(HWND window, Program& program) : window_(window), program_(program) {}
    void ShowZoneName(const std::string& zone) override { SetField(window_, IDC_ZONE_FIELD, zone); }
    void SelectZoneMap(const std::string& zone) override { tolvik::SelectZoneMap(window_, program_, zone); }
    void MarkCorpse(const std::string& zone, const Position& where) override { deaths.push_back(Death{zone, where}); }

    std::vector<Death> deaths;  // in the order of the log, marked once the read is done

private:
    HWND window_;
    Program& program_;
};

std::string AboutText() {
    return std::string("Tolvik ") + TOLVIK_VERSION_TEXT +
           "\n\nFollows your EverQuest chat log (/log on) and shows where you are on the map of your zone."
           "\n\nPlease report problems, with the steps that led to them and your Tolvik.ini, on the"
           " Tolvik project's issue tracker.";
}

// ---------------------------------------------------------------------------
// Log file choice and automatic selection.
// ---------------------------------------------------------------------------

// Whether choosing a Log File turns automatic selection on or off.
enum class AutoSelect { Off, On };

void ChooseLogFile(HWND window, Program& program, AutoSelect autoSelect) {
    AppState& app = program.app;
    std::string path = app.logFile;
    if (!program.seams.pickFileToOpen(window, path, FileFilter::LogFiles)) return;
    app.logFile = path.substr(0, kMaxPathChars);
    SetField(window, IDC_LOG_FILE, app.logFile);
    ClearZoneRecords(app.zones.table);
    DeriveLogFolder(app.logFile, app.logFolder);
    FindGameMapsFolder(app.vectorMapFolder, app.logFile, app.logFolder);
    SaveLogFileSetting(program, "Log File", app.logFile);
    app.AutoDetectLogFile = autoSelect == AutoSelect::On ? 1 : 0;
    RepaintControl(window, IDC_AUTO_SELECT);
    RestartLog(window, program);
}

void ToggleAutoSelect(HWND window, Program& program) {
    AppState& app = program.app;
    if (app.logFolder.empty()) {
        ChooseLogFile(window, program, AutoSelect::On);
        return;
    }
    app.AutoDetectLogFile = app.AutoDetectLogFile ? 0 : 1;
    if (app.AutoDetectLogFile) {
        FindNewestLog(app.logFolder, app.logFile);
        ClearZoneRecords(app.zones.table);
        RestartLog(window, program);
        SaveLogFileSetting(program, "Log File", app.logFile);
    }
    RepaintControl(window, IDC_AUTO_SELECT);
}

void PollLog(HWND window, Program& program) {
    AppState& app = program.app;
    if (app.AutoDetectLogFile) {
        std::string newest;
        FindNewestLog(app.logFolder, newest);
        if (newest != app.logFile) {
            app.logFile = newest;
            ClearZoneRecords(app.zones.table);
            RestartLog(window, program);
            SaveLogFileSetting(program, "Log File", app.logFile);
        }
    }
    ReadLogNow(window, program);
    ShowLocation(window, program);
}

// ---------------------------------------------------------------------------
// Message handlers.
// ---------------------------------------------------------------------------

INT_PTR OnInitDialog(HWND window, Program& program) {
    AppState& app = program.app;
    app.mainWindow = window;
    ResetVectorSettings(app.vector);

    const HINSTANCE instance = GetModuleHandleA(nullptr);
    const auto large = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_TOLVIK), IMAGE_ICON, 32, 32, LR_SHARED));
    const auto small = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_TOLVIK), IMAGE_ICON, 16, 16, LR_SHARED));
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));

    LoadSettings(window, program);
    LoadLogFileSetting(program);
    LoadZoneMarks(program);
    FindGameMapsFolder(app.vectorMapFolder, app.logFile, app.logFolder);

    SetField(window, IDC_LOG_FILE, app.logFile);
    app.logCursor = {};
    ReadLogNow(window, program);
    ShowLocation(window, program);

    DeriveLogFolder(app.logFile, app.logFolder);

    program.gdi.darkBrush.reset(CreateSolidBrush(RGB(55, 55, 55)));
    LoadSkinTextures(program, program.gdi.dialogTexture, program.gdi.buttonTexture);

    ShowCalibrationPanel(window, program, false);
    ApplyViewMode(window, program, app.MapOnly != 0);
    FillZoneList(window, program);
    PlaceOnTop(window, app.OnTop);
    StartZoomInput(window);
    SelectZoneMap(window, program, app.map.zoneName);
    return FALSE;
}

void OnTimer(HWND window, Program& program) {
    AppState& app = program.app;
    if (TickDifference(program.seams.tickCount(), app.lastPollTime) > 1000) {
        PollLog(window, program);
        app.lastPollTime = program.seams.tickCount();
    }
    DrawMapViewChanges(window, program, app.calibrationMode != 0);
    RefreshIdleTitle(window, app);
}

void EndMainWindow(HWND window, Program& program, INT_PTR result) {
    program.seams.endDialog(window, result);
}

INT_PTR OnCommand(HWND window, Program& program, WPARAM wParam) {
    AppState& app = program.app;
    if (HIWORD(wParam) == kZoneListSelectionChanged) ChooseZoneFromList(window, program);

    switch (LOWORD(wParam)) {
    case IDCANCEL:
        // The Escape key never closes the window; the close box does.
        if (GetKeyState(VK_ESCAPE) & 0x8000) return FALSE;
        EndMainWindow(window, program, 1);
        return TRUE;
    case IDC_ABOUT:
        program.seams.messageBox(window, AboutText(), "About Tolvik", MB_OK | MB_ICONINFORMATION);
        break;
    case IDC_ITEM_DB:
        OpenItemDatabaseSearch(window);
        break;
    case IDC_CALIBRATE:
        if (ToggleCalibrationMode(window, program, GetListedZone(window))) {
            ShowCalibrationPanel(window, program, app.calibrationMode != 0);
        }
        break;
    case IDC_CHOOSE_MAP:
        ChooseMapImage(window, program);
        break;
    case IDC_SET_LOG:
        ChooseLogFile(window, program, AutoSelect::Off);
        break;
    case IDC_INSTRUCTIONS:
        program.seams.messageBox(window, CalibrationInstructionsText(), "Calibration Instructions",
                                 MB_OK | MB_ICONINFORMATION);
        break;
    case IDM_KEEP_CENTERED:
        app.KeepCentered = app.KeepCentered ? 0 : 1;
        break;
    case IDM_MAP_ONLY:
        app.calibrationMode = 0;
        app.MapOnly = app.MapOnly ? 0 : 1;
        EnsureFullLayoutFits(window, program);
        ApplyViewMode(window, program, app.MapOnly != 0);
        break;
    case IDC_KEEP_ON_TOP:
        app.OnTop = app.OnTop ? 0 : 1;
        PlaceOnTop(window, app.OnTop);
        RepaintControl(window, IDC_KEEP_ON_TOP);
        break;
    case IDC_WIKI:
        OpenWikiSearch(window);
        break;
    case IDC_EXIT:
        SaveSettings(window, program);
        EndMainWindow(window, program, 42);
        break;
    case IDC_AUTO_SELECT:
        ToggleAutoSelect(window, program);
        break;
    case IDC_SAVE_CAL:
        SaveCalibration(window, program);
        break;
    case IDM_USE_VECTOR_MAPS:
        app.UseVURavaZiro = app.UseVURavaZiro ? 0 : 1;
        ChooseZoneFromList(window, program);
        break;
    case IDM_FOLLOW_HEIGHT:
        app.vector.FollowHeight = app.vector.FollowHeight ? 0 : 1;
        FollowPlayerHeight(window, program);
        break;
    case IDM_FADE_OTHER_LEVELS:
        app.vector.FadeOtherLevels = app.vector.FadeOtherLevels ? 0 : 1;
        if (app.UseVURavaZiro) RenderZoneMapAgain(window, program);
        break;
    case IDM_VECTOR_SETTINGS:
        OpenVectorSettingsWindow(window, program);
        break;
    case IDM_ZOOM_IN:
    case IDM_ZOOM_OUT:
    case IDM_ACTUAL_SIZE:
        OnZoomCommand(window, program, LOWORD(wParam));
        break;
    case IDM_SET_WAYPOINT:
        SetWaypointAtMenuPoint(program);
        break;
    case IDM_CLEAR_WAYPOINT:
        ClearWaypoint(program);
        break;
    case IDM_CLEAR_CORPSE:
        ClearCorpse(program);
        break;
    default:
        break;
    }
    return FALSE;
}

void OnMouseMove(HWND window, Program& program, LPARAM position) {
    if (program.app.drag.dragging) {
        ContinueDrag(window, program, position);
    } else if (program.app.calibrationMode) {
        CaptureReferencePoint(window, program, position);
    } else {
        UpdateHoverTitle(window, program, position);
    }
}

INT_PTR ControlColor(HWND window, Program& program, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto dc = reinterpret_cast<HDC>(wParam);
    const auto control = reinterpret_cast<HWND>(lParam);
    if (message == WM_CTLCOLORSTATIC && GetDlgCtrlID(control) == IDC_MAP_VIEW) {
        DrawMapView(window, program, program.app.calibrationMode != 0);
        return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
    }
    return reinterpret_cast<INT_PTR>(MainWindowControlColor(window, program, message, dc, control));
}

}  // namespace

// ---------------------------------------------------------------------------
// Operations used by other parts of the program.
// ---------------------------------------------------------------------------

void ReadLogNow(HWND window, Program& program) {
    AppState& app = program.app;
    const bool wholeLog = app.logCursor.offset == 0;
    WindowLogHooks hooks(window, program);
    ReadLogStats stats;
    ReadLogOptions options;
    options.open = OpenWinLogSource;
    options.stats = &stats;
    ReadLog(app.zones, app.map.zoneName, app.logFile, app.logCursor, hooks, options);
    FollowPlayerHeight(window, program);
    // A read from the log's start (a new log, or another file in its place)
    // brings the log's whole history of deaths.
    TakeDeaths(program, hooks.deaths, wholeLog || stats.restarted);
    if (stats.currentPositions > 0) CheckWaypointReached(window, program);
}

void ShowLocation(HWND window, Program& program) {
    const ZoneRecord* record = program.app.zones.Current();
    std::array<std::string, 3> texts{"None", "None", "None"};
    if (record && record->current.count != 0) {
        const Position& p = record->current.slots[0];
        texts = {FormatFixed2(p.x), FormatFixed2(p.y), FormatFixed2(p.z)};
    }
    const std::array<int, 3> ids{IDC_POS_X, IDC_POS_Y, IDC_POS_Z};
    for (std::size_t axis = 0; axis < ids.size(); ++axis)
        SetFieldText(RememberedItem(window, ids[axis], program.positionFields[axis]), texts[axis]);
}

void RestartLog(HWND window, Program& program) {
    SetField(window, IDC_LOG_FILE, program.app.logFile);
    program.app.logCursor = {};
    ReadLogNow(window, program);
    ShowLocation(window, program);
}

int FillZoneList(HWND window, Program& program) {
    const HWND list = GetDlgItem(window, IDC_ZONE_LIST);
    const std::string pattern = program.app.zonesFolder + "*.ini";
    WIN32_FIND_DATAA found{};
    UniqueHandle<HANDLE, FindHandleTraits> search(FindFirstFileA(pattern.c_str(), &found));
    if (search.get() == INVALID_HANDLE_VALUE) {
        search.release();
        return 0;
    }
    int added = 0;
    bool anyFile = false;
    do {
        std::string name = found.cFileName;
        // Only calibration files: not folders, nor names that match the
        // pattern through their short form ("x.inix").
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (name.size() < 4 || _stricmp(name.c_str() + name.size() - 4, ".ini") != 0) continue;
        anyFile = true;
        const std::size_t dot = name.rfind('.');
        if (dot != std::string::npos) name.erase(dot);
        name = name.substr(0, kMaxZoneNameChars);
        if (SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(name.c_str())) ==
            CB_ERR) {
            SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
            ++added;
        }
    } while (FindNextFileA(search.get(), &found));
    if (anyFile) {
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kMyZone));
    }
    return added;
}

void ChooseZoneFromList(HWND window, Program& program) {
    std::string zone = GetListedZone(window);
    if (zone == kMyZone) {
        zone = WindowText(GetDlgItem(window, IDC_ZONE_FIELD), 258);
        // Before the log has named a zone there is nothing to list: the list
        // is left with no selection, so that nothing can be calibrated or
        // given a picture under a made-up name; the map selection then shows
        // how to get started.
        SelectZoneInList(window, zone);
    }
    SelectZoneMap(window, program, zone);
}

void SelectZoneInList(HWND window, const std::string& zone) {
    const HWND list = GetDlgItem(window, IDC_ZONE_LIST);
    if (zone.empty()) {
        SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        return;
    }
    LRESULT index = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(zone.c_str()));
    if (index == CB_ERR) {
        SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(zone.c_str()));
        index = SendMessageA(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(zone.c_str()));
    }
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string GetListedZone(HWND window) {
    const HWND list = GetDlgItem(window, IDC_ZONE_LIST);
    const LRESULT index = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (index == CB_ERR) return {};
    const LRESULT length = SendMessageA(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) return {};
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return std::string(text.data()).substr(0, kMaxPathChars);
}

namespace {

bool IsOwnerDrawnButton(HWND control) {
    char className[16] = {};
    GetClassNameA(control, className, sizeof className);
    return lstrcmpiA(className, "Button") == 0 && (GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

}  // namespace

HWND CreateMainWindow(HINSTANCE instance, Program& program) {
    return CreateDialogParamA(instance, "Tolvik", GetDesktopWindow(), MainWindowProc, reinterpret_cast<LPARAM>(&program));
}

bool TranslateDialogMessage(Program& program, MSG& message) {
    if (!message.hwnd) return false;
    // Each of our windows carries the Program; message boxes, choosers and
    // drop-down lists do not, and get their usual handling.
    const HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (!root || TryProgramOf(root) != &program) return false;
    // The wheel over the map and the zoom keys, wherever the focus is.
    if (PreTranslateZoomMessage(message)) return true;
    // Enter presses the focused button, as it does a standard push button:
    // the dialog keys count our owner-drawn buttons as no push buttons.
    if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN && IsOwnerDrawnButton(message.hwnd)) {
        SendMessageA(message.hwnd, BM_CLICK, 0, 0);
        return true;
    }
    return IsDialogMessageA(root, &message) != FALSE;
}

namespace {

bool IsInput(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

}  // namespace

int RunMessageLoop(Program& program) {
    TickPace pace;
    StartTicks(pace, GetTickCount());
    MSG message{};
    for (;;) {
        // What is queued. Looking at the queue is also when Wine puts what
        // was drawn on the screen, so it follows each tick at once.
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
            if (IsInput(message.message)) NoteInput(pace, GetTickCount());
            if (TranslateDialogMessage(program, message)) continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        const std::uint32_t now = GetTickCount();
        if (const DWORD wait = UntilNextTick(pace, now); wait > 0) {
            if (!Attentive(pace, now)) {
                Sleep(wait);
            } else if (MsgWaitForMultipleObjectsEx(0, nullptr, wait, QS_ALLINPUT, MWMO_INPUTAVAILABLE) != WAIT_TIMEOUT) {
                continue;
            }
        }
        TakeTick(pace, GetTickCount());
        SendMessageA(static_cast<HWND>(program.app.mainWindow), WM_TIMER, IDT_MAIN_TICK, 0);
    }
}

INT_PTR CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        AttachProgram(window, reinterpret_cast<Program*>(lParam));
        return OnInitDialog(window, ProgramOf(window));
    }
    Program* program = TryProgramOf(window);
    if (!program) return FALSE;

    switch (message) {
    case WM_TIMER:
        if (wParam == IDT_ZOOM_SETTLE) {
            OnZoomSettled(window, *program);
        } else {
            OnTimer(window, *program);
        }
        return FALSE;
    case WM_MOUSEWHEEL:
        if (!OnMainWindowWheel(window, *program, wParam, lParam)) return FALSE;
        SetWindowLongPtrA(window, DWLP_MSGRESULT, 0);
        return TRUE;
    case WM_DESTROY:
        StopZoomInput(window);
        return FALSE;
    case WM_TOLVIK_RELOAD_ZONE_MAP:
        SelectZoneMap(window, *program, program->app.map.zoneName);
        return TRUE;
    case WM_TOLVIK_PICTURE_LOADED:
        OnZonePictureLoaded(window, *program, wParam, reinterpret_cast<ComposedMap*>(lParam));
        return TRUE;
    case WM_COMMAND:
        return OnCommand(window, *program, wParam);
    case WM_CLOSE:
        SaveSettings(window, *program);
        return FALSE;
    case WM_SIZE:
        LayoutMapView(window, *program);
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return FALSE;
    case WM_GETMINMAXINFO:
        ApplyMinimumSize(window, *program, reinterpret_cast<MINMAXINFO*>(lParam));
        return FALSE;
    case WM_ERASEBKGND:
        PaintStretchedBackground(window, reinterpret_cast<HDC>(wParam), program->gdi.dialogTexture.get());
        SetWindowLongPtrA(window, DWLP_MSGRESULT, 1);
        return TRUE;
    case WM_DRAWITEM:
        return MainWindowDrawItem(window, *program, reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORLISTBOX:
        return ControlColor(window, *program, message, wParam, lParam);
    case WM_MOUSEMOVE:
        OnMouseMove(window, *program, lParam);
        return FALSE;
    case WM_LBUTTONDOWN:
        if (!SetWaypointAtClick(window, *program, wParam, lParam)) BeginDrag(window, *program, lParam);
        return FALSE;
    case WM_LBUTTONUP:
        EndDrag(window, *program);
        return FALSE;
    case WM_RBUTTONDOWN:
        ShowContextMenu(window, *program, lParam);
        return FALSE;
    case WM_MOUSELEAVE:
        EndHoverTitle(window, *program);
        return FALSE;
    default:
        FollowForeignLoop(*program, message);
        return FALSE;
    }
}

}  // namespace tolvik
