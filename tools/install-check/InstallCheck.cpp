// kestavo-install-check: what an installed Kestavo finds through its hives, seen
// from a process linked against the installed platform library only (the way
// the program and the control find things). tools/install-test.sh builds and
// runs it; one "name: result" line per check, exit status 0 when all passed.
//
//   kestavo-install-check              components create, recogniser found and working
//   kestavo-install-check --missing    the control's class is registered but its
//                                      library cannot be loaded: expect a clean failure

#include "control/HandwritingRecognizer.h"
#include "control/ValtrixIds.h"
#include "platform/com/BoardInterfaces.h"
#include "platform/com/Com.h"
#include "platform/registry/Registry.h"

#include <QApplication>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

int g_failed = 0;

void Report(const char* name, bool ok, const std::string& detail)
{
    std::printf("%s: %s%s%s\n", name, ok ? "ok" : "FAILED", detail.empty() ? "" : " ", detail.c_str());
    if (!ok)
        ++g_failed;
}

std::string Hex(HRESULT hr)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    return text;
}

std::string ServerPath(REFCLSID clsid)
{
    const std::string subKey = "CLSID\\" + GuidToString(clsid) + "\\InprocServer32";
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::string();
    char buffer[4096] = {};
    DWORD size = sizeof buffer - 1;
    DWORD type = 0;
    const LONG rc = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return rc == ERROR_SUCCESS ? std::string(buffer) : std::string();
}

void CheckCreate(const char* name, REFCLSID clsid)
{
    IUnknown* object = nullptr;
    const HRESULT hr = CoCreateInstance(
        clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&object));
    if (object)
        object->Release();
    Report(name, SUCCEEDED(hr) && object, ServerPath(clsid) + (SUCCEEDED(hr) ? "" : " " + Hex(hr)));
}

// A single upright line, as a pupil writes a one, in the ink component's units
// (thousandths of a window pixel).
std::vector<LONG> UprightStroke()
{
    std::vector<LONG> points;
    for (int y = 4; y <= 44; ++y) {
        points.push_back(20 * 1000);
        points.push_back(y * 1000);
    }
    return points;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool missing = argc > 1 && std::strcmp(argv[1], "--missing") == 0;

    if (missing) {
        IUnknown* object = nullptr;
        const HRESULT hr = CoCreateInstance(CLSID_ValtrixCtrl, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
            reinterpret_cast<void**>(&object));
        if (object)
            object->Release();
        Report("control-missing", hr == CO_E_DLLNOTFOUND, Hex(hr));
        return g_failed == 0 ? 0 : 1;
    }

    CheckCreate("control", CLSID_ValtrixCtrl);
    CheckCreate("board-sdk", CLSID_ObriskSdk);
    CheckCreate("ink-container", CLSID_InkContainer);
    CheckCreate("ink-stroke", CLSID_InkStroke);

    // The control's own search, run against the installed hives.
    CHandwritingRecognizer recognizer;
    const bool found = recognizer.FindRecognizer();
    Report("recogniser", found, recognizer.LibraryPath());
    Report("vocabulary", found && !recognizer.VocabularyPath().empty(), recognizer.VocabularyPath());
    if (found) {
        std::vector<std::string> candidates;
        const std::vector<LONG> stroke = UprightStroke();
        const bool opened = recognizer.OpenSession();
        if (opened)
            recognizer.AddStrokePoints(stroke.data(), static_cast<int>(stroke.size()));
        const bool ok = opened && recognizer.CloseSession() && recognizer.GetCandidates(candidates)
            && !candidates.empty();
        Report("recognition", ok && candidates.front() == "1", ok ? "'" + candidates.front() + "'" : "");
    }
    return g_failed == 0 ? 0 : 1;
}
