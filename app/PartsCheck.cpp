#include "app/PartsCheck.h"

#include "app/LicenseText.h"
#include "control/HandwritingRecognizer.h"
#include "control/ValtrixIds.h"
#include "platform/com/BoardInterfaces.h"
#include "platform/com/Com.h"
#include "platform/help/HelpWindow.h"
#include "platform/registry/HiveLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcPartsCheck, "kestavo.app.parts")

namespace {

bool Creatable(REFCLSID clsid)
{
    IUnknown* object = nullptr;
    const HRESULT hr = CoCreateInstance(
        clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object));
    if (FAILED(hr) || !object)
        return false;
    object->Release();
    return true;
}

// A save locks the lock file, writes the temporary file (neither followed if
// a link) and renames it over the hive: the first two, where they exist, must
// be plain files and the lock file must open for writing; the hive itself must
// not be a folder (a link is simply replaced). Nothing is created or changed.
bool SettingsFilesUsable(const CHiveLocation& location)
{
    const struct
    {
        std::string path;
        bool plainOnly;
    } paths[] = { { location.file, false }, { location.tempFile(), true }, { location.lockFile(), true } };
    for (const auto& entry : paths) {
        struct stat st
        {
        };
        if (::lstat(entry.path.c_str(), &st) != 0) {
            if (errno == ENOENT)
                continue;
            return false;
        }
        if (entry.plainOnly ? !S_ISREG(st.st_mode) : S_ISDIR(st.st_mode))
            return false;
    }
    const int fd = ::open(location.lockFile().c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd >= 0) {
        ::close(fd);
        return true;
    }
    return errno == ENOENT;
}

} // namespace

bool CPartsCheck::SettingsFolderWritable()
{
    const CHiveLocation location = CHiveLocation::user();
    std::string folder = location.folder;
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    // A folder not made yet is made by the first save, in the nearest one
    // above it that exists.
    while (!folder.empty() && !QFileInfo(QString::fromStdString(folder)).isDir()) {
        // A plain file in the way: the folder can never be made.
        if (QFileInfo::exists(QString::fromStdString(folder)))
            return false;
        const size_t slash = folder.rfind('/');
        if (slash == std::string::npos)
            folder.clear();
        else
            folder = slash == 0 ? std::string("/") : folder.substr(0, slash);
    }
    if (folder.empty())
        return false;
    // Trying is the only sure test: permission bits do not tell about
    // read-only mounts, and the superuser passes every access() check.
    std::string pattern = folder + (folder.back() == '/' ? "" : "/") + ".kestavo-probe-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        return false;
    close(fd);
    unlink(pattern.c_str());
    return SettingsFilesUsable(location);
}

CPartsCheck::SRecognizerFound CPartsCheck::ProbeRecognizer()
{
    SRecognizerFound found;
    CHandwritingRecognizer recognizer;
    found.reader = recognizer.FindRecognizer();
    found.words = !found.reader || !recognizer.VocabularyPath().empty();
    return found;
}

CPartsCheck::SFound CPartsCheck::Probe()
{
    return Probe(ProbeRecognizer());
}

CPartsCheck::SFound CPartsCheck::Probe(const SRecognizerFound& recognizer)
{
    SFound found;
    found.present[PenControl] = Creatable(CLSID_ValtrixCtrl);
    found.present[BoardSoftware] = Creatable(CLSID_ObriskSdk);
    found.present[InkComponent] = Creatable(CLSID_InkContainer);
    found.present[Recognizer] = recognizer.reader;
    found.present[RecognizerWords] = recognizer.words;

    const QString helpFolder = CHelpWindow::FindHelpFolder(QCoreApplication::applicationDirPath());
    found.present[HelpPages] = !helpFolder.isEmpty()
        && QFileInfo::exists(QDir(helpFolder).filePath(QString::fromLatin1(CHelpWindow::kDefaultPage)));
    found.present[LicenseFile] = !LicenseText::Find().isEmpty();
    found.present[SettingsFolder] = SettingsFolderWritable();

    for (int part = 0; part < PartCount; ++part) {
        if (!found.present[size_t(part)])
            qCInfo(lcPartsCheck) << "part missing:" << part;
    }
    return found;
}

QStringList CPartsCheck::Sentences(const SFound& found)
{
    const auto missing = [&found](EPart part) { return !found.present[size_t(part)]; };
    QStringList sentences;
    if (missing(PenControl)) {
        sentences << QCoreApplication::translate("CPartsCheck",
            "Kestavo cannot find its answer boxes, so answers cannot be entered; "
            "please ask whoever looks after this computer to install Kestavo again.");
    } else {
        if (missing(BoardSoftware)) {
            sentences << QCoreApplication::translate("CPartsCheck",
                "Kestavo cannot find the whiteboard software, so pupils cannot write "
                "with the pen; they can still type their answers with the keyboard.");
        } else if (missing(InkComponent)) {
            sentences << QCoreApplication::translate("CPartsCheck",
                "Kestavo cannot show pen writing in the answer boxes; pupils can still "
                "type their answers with the keyboard.");
        }
        if (missing(Recognizer)) {
            sentences << QCoreApplication::translate("CPartsCheck",
                "Kestavo cannot find its handwriting reader. Pupils can still type "
                "their answers with the keyboard.");
        } else if (missing(RecognizerWords)) {
            sentences << QCoreApplication::translate("CPartsCheck",
                "Kestavo's handwriting reader cannot read its word list, so it may not "
                "read handwritten answers; pupils can still type them with the keyboard.");
        }
    }
    if (missing(HelpPages))
        sentences << QCoreApplication::translate(
            "CPartsCheck", "Kestavo cannot find its help pages; the game itself works as usual.");
    if (missing(LicenseFile)) {
        sentences << QCoreApplication::translate("CPartsCheck",
            "Kestavo cannot find its licence text, so the About box cannot show it; "
            "the game itself works as usual.");
    }
    if (missing(SettingsFolder)) {
        sentences << QCoreApplication::translate("CPartsCheck",
            "Kestavo cannot save settings on this computer, so choices made in Setup "
            "are used now but forgotten when Kestavo closes.");
    }
    return sentences;
}

QString CPartsCheck::Report(const SFound& found)
{
    return Sentences(found).join(QLatin1Char('\n'));
}
