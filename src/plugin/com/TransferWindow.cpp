#include "plugin/com/TransferWindow.h"

#include "plugin/com/DocumentStream.h"
#include "plugin/com/Module.h"
#include "plugin/com/resource.h"

#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

namespace t2v::com {

using platform::MsgButtons;
using platform::MsgIcon;
using platform::Narrow;
using platform::Widen;

namespace {

std::wstring ControlText(HWND window, int id) {
    HWND control = GetDlgItem(window, id);
    const int n = GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
    GetWindowTextW(control, text.data(), n + 1);
    text.resize(static_cast<std::size_t>(n));
    return text;
}

bool IsDriveRoot(const std::string& path) { return path.size() <= 3 && path.size() >= 2 && path[1] == ':'; }

std::string ParentOf(const std::string& path) {
    std::string p = path;
    while (p.size() > 3 && (p.back() == '\\' || p.back() == '/')) p.pop_back();
    const std::size_t cut = p.find_last_of("\\/");
    if (cut == std::string::npos) return p;
    if (cut <= 2) return p.substr(0, 3);  // "C:\"
    return p.substr(0, cut);
}

// The folder's subfolders, sorted as a directory list shows them.
std::vector<std::wstring> Subfolders(const std::string& folder) {
    std::vector<std::wstring> out;
    std::wstring pattern = Widen(folder);
    if (!pattern.empty() && pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    WIN32_FIND_DATAW d;
    HANDLE find = FindFirstFileW(pattern.c_str(), &d);
    if (find == INVALID_HANDLE_VALUE) return out;
    do {
        const std::wstring name = d.cFileName;
        if ((d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != L"." && name != L"..") out.push_back(name);
    } while (FindNextFileW(find, &d));
    FindClose(find);
    std::sort(out.begin(), out.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_LESS_THAN;
    });
    return out;
}

constexpr const wchar_t* kUp = L"[..]";

}  // namespace

void TransferWindow::ShowModal(plugin::frmTransferVantra& dialog) {
    dialog_ = &dialog;
    error_ = nullptr;
    INT_PTR r =
        DialogBoxParamW(g_module, MAKEINTRESOURCEW(IDD_TRANSFER), owner_, DialogProc, reinterpret_cast<LPARAM>(this));
    // An owner that went away between the call and the show leaves the dialog unowned
    // rather than unshown.
    if ((r == -1 || r == 0) && owner_ && !error_ && GetLastError() == ERROR_INVALID_WINDOW_HANDLE)
        r = DialogBoxParamW(g_module, MAKEINTRESOURCEW(IDD_TRANSFER), nullptr, DialogProc,
                            reinterpret_cast<LPARAM>(this));
    platform_.setOwner(owner_);
    dialog_ = nullptr;
    if (error_) std::rethrow_exception(error_);
    if (r == -1 || r == 0)
        throw std::runtime_error("the transfer dialog could not be shown: " +
                                 platform::SystemErrorText(GetLastError()));
}

INT_PTR CALLBACK TransferWindow::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) SetWindowLongPtrW(window, DWLP_USER, lParam);
    auto* self = reinterpret_cast<TransferWindow*>(GetWindowLongPtrW(window, DWLP_USER));
    if (!self) return FALSE;
    // No C++ exception may cross the system's window code: keep it, close, raise later.
    try {
        return self->handle(window, message, wParam, lParam);
    } catch (...) {
        self->error_ = std::current_exception();
        SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32512)));  // the arrow
        EndDialog(window, IDABORT);
        return TRUE;
    }
}

void TransferWindow::fillDirectoryList(HWND window) {
    HWND list = GetDlgItem(window, IDC_DIRLIST);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    const std::string& path = dialog_->ctlVantraDir;
    SetDlgItemTextW(window, IDC_DIRPATH, Widen(path).c_str());
    if (!IsDriveRoot(path)) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kUp));
    for (const std::wstring& name : Subfolders(path))
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>((L"[" + name + L"]").c_str()));
}

void TransferWindow::showState(HWND window) {
    HWND drives = GetDlgItem(window, IDC_DRIVE);
    SendMessageW(drives, CB_RESETCONTENT, 0, 0);
    int selected = -1;
    const std::vector<std::string> roots = platform_.logicalDrives();
    for (std::size_t i = 0; i < roots.size(); ++i) {
        const std::string letter = roots[i].substr(0, 2);
        SendMessageW(drives, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(letter).c_str()));
        if (CompareStringOrdinal(Widen(letter).c_str(), -1, Widen(dialog_->ctlDrive.substr(0, 2)).c_str(), -1, TRUE) ==
            CSTR_EQUAL)
            selected = static_cast<int>(i);
    }
    SendMessageW(drives, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    fillDirectoryList(window);
}

void TransferWindow::readControls(HWND window) {
    dialog_->txtVantraName = Narrow(ControlText(window, IDC_NAME));
    dialog_->optVersion = {IsDlgButtonChecked(window, IDC_VERSION5) == BST_CHECKED,
                           IsDlgButtonChecked(window, IDC_VERSION4) == BST_CHECKED};
    dialog_->chkEmbedBeam = IsDlgButtonChecked(window, IDC_EMBEDBEAM) == BST_CHECKED;
}

void TransferWindow::onDirectoryOpen(HWND window) {
    HWND list = GetDlgItem(window, IDC_DIRLIST);
    const LRESULT at = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (at == LB_ERR) return;
    std::wstring item(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(at), 0)), L'\0');
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(item.data()));
    const std::string here = dialog_->ctlVantraDir;
    std::string next;
    if (item == kUp) {
        next = ParentOf(here);
    } else {
        next = here;
        if (next.empty() || next.back() != '\\') next += '\\';
        next += Narrow(item.substr(1, item.size() - 2));
    }
    dialog_->SetDirListPath(next);
    fillDirectoryList(window);
}

void TransferWindow::onSaveDocument(HWND window) {
    if (!shared_.oTarvoModel) {
        platform_.messageBox("No Model", "", MsgIcon::Critical, MsgButtons::Ok);
        return;
    }
    wchar_t file[32768] = L"Model.json";
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = window;
    ofn.lpstrFilter = L"Model documents (*.json)\0*.json\0All files (*.*)\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = static_cast<DWORD>(std::size(file));
    ofn.lpstrDefExt = L"json";
    ofn.lpstrTitle = L"Save Model Document";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR;
    if (!GetSaveFileNameW(&ofn)) return;
    const std::string path = Narrow(file);
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // the hourglass
    std::string problem = SaveDocumentFile(*shared_.oTarvoModel, platform_, path);
    SetCursor(previous);
    if (problem.empty())
        platform_.messageBox("Model document saved: " + path, "", MsgIcon::Information, MsgButtons::Ok);
    else
        platform_.messageBox(problem, "", MsgIcon::Critical, MsgButtons::Ok);
}

INT_PTR TransferWindow::handle(HWND window, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
        case WM_INITDIALOG: {
            platform_.setOwner(window);
            SetWindowTextW(window, Widen(dialog_->Caption).c_str());
            SendDlgItemMessageW(window, IDC_NAME, EM_LIMITTEXT, 12, 0);
            SetDlgItemTextW(window, IDC_NAME, Widen(dialog_->txtVantraName).c_str());
            CheckRadioButton(window, IDC_VERSION5, IDC_VERSION4, dialog_->optVersion[0] ? IDC_VERSION5 : IDC_VERSION4);
            CheckDlgButton(window, IDC_EMBEDBEAM, dialog_->chkEmbedBeam ? BST_CHECKED : BST_UNCHECKED);
            SetDlgItemTextW(window, IDC_LOG, Widen(dialog_->txtLog).c_str());
            showState(window);
            SetForegroundWindow(window);
            return TRUE;  // the focus goes to the first control in Tab order
        }
        case WM_COMMAND: {
            const int id = LOWORD(wParam);
            const int code = HIWORD(wParam);
            if (id == IDC_DRIVE && code == CBN_SELCHANGE) {
                HWND drives = GetDlgItem(window, IDC_DRIVE);
                const LRESULT at = SendMessageW(drives, CB_GETCURSEL, 0, 0);
                if (at != CB_ERR) {
                    wchar_t text[8] = {};
                    SendMessageW(drives, CB_GETLBTEXT, static_cast<WPARAM>(at), reinterpret_cast<LPARAM>(text));
                    dialog_->ctlDrive_Change(Narrow(text) + "\\");
                }
                showState(window);
                return TRUE;
            }
            if (id == IDC_DIRLIST && code == LBN_DBLCLK) {
                onDirectoryOpen(window);
                return TRUE;
            }
            if (id == IDC_TRANSFER) {
                readControls(window);
                HCURSOR previous = SetCursor(LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));
                dialog_->cmdTransfer_Click();
                SetCursor(previous);
                if (dialog_->unloaded) EndDialog(window, IDOK);
                return TRUE;
            }
            if (id == IDC_SAVEDOC) {
                onSaveDocument(window);
                return TRUE;
            }
            if (id == IDC_CLOSE) {
                EndDialog(window, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        }
        case WM_CLOSE:
            EndDialog(window, IDCANCEL);
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace t2v::com
