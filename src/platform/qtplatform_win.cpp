// Programs, documents and compiled help on Windows, started the way the Windows shell starts
// them: a typed command line goes to CreateProcess as it is, documents open in the program
// associated with their type, compiled help in the system's HTML Help viewer, and the window
// style becomes the show command.
#include "qtplatform.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

#include <string>

#include <windows.h>

#include <htmlhelp.h>
#include <shellapi.h>
#include <shlwapi.h>

namespace {

// "The requested operation requires elevation", missing from MinGW's winerror.h.
constexpr DWORD errorElevationRequired = 740;

WORD showCommand(int windowStyle)
{
    return windowStyle == Platform::MaximizedFocus ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
}

QString systemMessage(DWORD error)
{
    return qt_error_string(int(error)).trimmed();
}

std::wstring wide(const QString &text)
{
    return text.toStdWString();
}

// Hands a file, with optional parameters, to the shell's default action for its type: the
// associated program for a document, the program itself (elevated when it asks to be) for an
// installer. On failure, the system's reason, and its code in *error.
Result<> shellExecute(const QString &file, const QString &parameters, int windowStyle, DWORD *error)
{
    const std::wstring fileText = wide(file);
    const std::wstring parameterText = wide(parameters);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    // Errors come back to the caller instead of appearing in the shell's own boxes, and the
    // call returns only once the program has been started.
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_NOASYNC;
    info.lpFile = fileText.c_str();
    info.lpParameters = parameters.isEmpty() ? nullptr : parameterText.c_str();
    info.nShow = showCommand(windowStyle);
    if (ShellExecuteExW(&info)) {
        *error = ERROR_SUCCESS;
        return {};
    }
    *error = GetLastError();
    return Result<>::failure(systemMessage(*error));
}

// Whether the registry names a program that opens files with this suffix. Asked before the
// shell is, which would otherwise offer its Open With box or, under Wine, try to run the
// document as a program.
bool hasAssociatedProgram(const QString &suffix)
{
    if (suffix.isEmpty())
        return false;
    const std::wstring extension = wide(QLatin1Char('.') + suffix);
    DWORD size = 0;
    const HRESULT result = AssocQueryStringW(ASSOCF_INIT_IGNOREUNKNOWN, ASSOCSTR_COMMAND,
                                             extension.c_str(), nullptr, nullptr, &size);
    return SUCCEEDED(result) && size > 0;
}

Result<> openAssociated(const QString &path, int windowStyle)
{
    const QString native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    DWORD error = ERROR_SUCCESS;
    const Result<> opened = hasAssociatedProgram(QFileInfo(path).suffix())
                                ? shellExecute(native, {}, windowStyle, &error)
                                : Result<>::failure(systemMessage(error = ERROR_NO_ASSOCIATION));
    if (opened)
        return {};
    if (error == ERROR_NO_ASSOCIATION)
        return Result<>::failure(
            QStringLiteral("No program on this system is associated with files of type %1,\r\n"
                           "so \"%2\" cannot be opened.")
                .arg(QFileInfo(path).suffix().isEmpty()
                         ? QStringLiteral("(no extension)")
                         : QLatin1Char('.') + QFileInfo(path).suffix(),
                     native));
    return Result<>::failure(
        QStringLiteral("\"%1\" cannot be opened.\r\n%2").arg(native, opened.message()));
}

// The program part of a command line, and what follows it: a quoted first part, else the
// longest part before a blank that names an existing file (a path typed with blanks and
// without quotes), else the first word.
QStringList programAndParameters(const QString &line)
{
    if (line.startsWith(QLatin1Char('"'))) {
        const qsizetype close = line.indexOf(QLatin1Char('"'), 1);
        if (close > 0)
            return {line.mid(1, close - 1), line.mid(close + 1).trimmed()};
    }
    for (qsizetype end = line.size(); end > 0; end = line.lastIndexOf(QLatin1Char(' '), end - 1)) {
        const QString candidate = line.left(end).trimmed();
        if (QFileInfo(candidate).isFile())
            return {candidate, line.mid(end).trimmed()};
    }
    const qsizetype blank = line.indexOf(QLatin1Char(' '));
    if (blank < 0)
        return {line, QString()};
    return {line.left(blank), line.mid(blank + 1).trimmed()};
}

// The system's HTML Help viewer (hhctrl.ocx), loaded on first use; null where there is none.
// Its windows live in Brindle's process and are closed before Brindle ends.
using HtmlHelpFunction = HWND(WINAPI *)(HWND, LPCWSTR, UINT, DWORD_PTR);
HtmlHelpFunction htmlHelp()
{
    static const HtmlHelpFunction function = []() -> HtmlHelpFunction {
        const HMODULE viewer = LoadLibraryW(L"hhctrl.ocx");
        const auto show = viewer ? reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void *>(
                                       GetProcAddress(viewer, "HtmlHelpW")))
                                 : nullptr;
        if (show)
            qAddPostRoutine([] { htmlHelp()(nullptr, nullptr, HH_CLOSE_ALL, 0); });
        return show;
    }();
    return function;
}

} // namespace

// The command line goes to CreateProcess as typed, so backslashes, quotes and unquoted paths
// with blanks mean what they mean in the Run box. An installer that must run elevated, or a
// file that is not a program (an .msi package), is handed to the shell instead.
Result<> QtPlatform::startProgram(const QString &commandLine, int windowStyle)
{
    const QString line = commandLine.trimmed();
    if (line.isEmpty())
        return Result<>::failure(QStringLiteral("The command line is empty."));
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showCommand(windowStyle);
    PROCESS_INFORMATION process = {};
    std::wstring writable = wide(line); // CreateProcessW may change the buffer it is given
    if (CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return {};
    }
    DWORD error = GetLastError();
    Result<> started = Result<>::failure(systemMessage(error));
    if (error == errorElevationRequired || error == ERROR_BAD_EXE_FORMAT) {
        const QStringList parts = programAndParameters(line);
        started = shellExecute(parts.at(0), parts.at(1), windowStyle, &error);
        if (started)
            return {};
    }
    return Result<>::failure(
        QStringLiteral("Cannot start \"%1\":\r\n%2").arg(line, started.message()));
}

// The shell answers from the registry at once, so the outcome is reported before returning.
void QtPlatform::openDocument(const QString &path, int windowStyle, QObject *, Outcome done)
{
    if (!QFileInfo::exists(path)) {
        done(Result<>::failure(QStringLiteral("The file \"%1\" does not exist.").arg(path)));
        return;
    }
    done(openAssociated(path, windowStyle));
}

// The HTML Help viewer shows the page in a window that the owner's window owns, so that it
// stands in front of it even while that window is kept on top. Without the viewer, the help
// goes to the program associated with it, at its start page.
void QtPlatform::openHelp(QWidget *owner, const QString &path, const QString &page, Outcome done)
{
    if (!QFileInfo::exists(path)) {
        done(Result<>::failure(QStringLiteral("The help file \"%1\" does not exist.").arg(path)));
        return;
    }
    if (const HtmlHelpFunction show = htmlHelp()) {
        // "C:\Work\Tools\Brindle.chm::/arrays.html" names a page inside the help.
        QString topic = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
        if (!page.isEmpty())
            topic += QStringLiteral("::/") + page;
        const HWND ownerWindow = owner ? reinterpret_cast<HWND>(owner->window()->winId()) : nullptr;
        const std::wstring topicText = wide(topic);
        if (show(ownerWindow, topicText.c_str(), HH_DISPLAY_TOPIC, 0)) {
            done({});
            return;
        }
    }
    done(openAssociated(path, Platform::NormalFocus));
}
