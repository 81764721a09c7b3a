#include "control/HandwritingRecognizer.h"

#include "platform/LogOnce.h"
#include "platform/com/BoardInterfaces.h"
#include "platform/com/Com.h"
#include "platform/registry/Registry.h"

#include <QLoggingCategory>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

Q_LOGGING_CATEGORY(lcRecognizer, "kestavo.control.recognizer")

namespace {

// Where the board software records its installation folder.
struct SPlace
{
    HKEY root;
    const char* key;
    const char* value;
    bool addSeparatorOnlyWhenMissing;
};

const SPlace kPlaces[] = {
    { HKEY_LOCAL_MACHINE, "Software\\Tandrel Technologies Inc.\\Tandrel Board Software\\Install Information",
        "Board Directory", true },
    { HKEY_LOCAL_MACHINE,
        "Software\\Tandrel Technologies Inc.\\Tandrel Board Service\\7.0\\Install Information",
        "Board Directory", false },
    { HKEY_LOCAL_MACHINE,
        "Software\\Tandrel Technologies Inc.\\Tandrel Board Service\\6.0\\Install Information",
        "Board Directory", false },
    { HKEY_CLASSES_ROOT, "Software\\TandrelBoard", "ExeDir", false },
    { HKEY_CLASSES_ROOT, "Software\\Tandrel.Wexbridge", "ExeDir", false },
};

constexpr DWORD kValueBufferSize = 260;

bool readDirectory(const SPlace& place, std::string& directory)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(place.root, place.key, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char buffer[kValueBufferSize + 1] = {};
    DWORD size = kValueBufferSize;
    DWORD type = REG_NONE;
    const LONG rc
        = RegQueryValueExA(key, place.value, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    if (rc != ERROR_SUCCESS)
        return false;
    // The value need not be terminated within the buffer.
    buffer[std::min<DWORD>(size, kValueBufferSize)] = '\0';
    // A relative folder would be looked up from the working directory, where
    // anyone could leave a library: only absolute folders are used.
    if (buffer[0] != '/') {
        qCWarning(lcRecognizer) << "board folder is not an absolute path, ignored:" << buffer;
        return false;
    }
    directory = buffer;
    return true;
}

int16_t clampToShort(long value)
{
    return static_cast<int16_t>(std::clamp<long>(value, SHRT_MIN, SHRT_MAX));
}

} // namespace

CHandwritingRecognizer::CHandwritingRecognizer(std::string programDirectory)
    : m_programDirectory(std::move(programDirectory))
{
}

CHandwritingRecognizer::~CHandwritingRecognizer()
{
    Unload();
}

void CHandwritingRecognizer::Unload()
{
    if (!m_library)
        return;
    if (m_context != 0)
        m_fn.CgrCloseContext(m_context);
    m_context = 0;
    for (auto& entry : m_dictionaryCache) {
        int32_t handle = entry.second;
        m_fn.CgrFreeDict(&handle);
    }
    m_dictionaryCache.clear();
    dlclose(m_library);
    m_library = nullptr;
    m_fn = SFunctionTable {};
    m_sessionOpen = false;
    m_libraryPath.clear();
}

std::string CHandwritingRecognizer::ProgramDirectory() const
{
    if (!m_programDirectory.empty())
        return m_programDirectory;
    char path[PATH_MAX + 1];
    const ssize_t n = readlink("/proc/self/exe", path, PATH_MAX);
    if (n <= 0)
        return std::string();
    const std::string exe(path, size_t(n));
    const size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash + 1);
}

bool CHandwritingRecognizer::FindRecognizer()
{
    std::vector<std::string> vocabularies;
    bool loaded = false;
    for (const SPlace& place : kPlaces) {
        std::string directory;
        if (!readDirectory(place, directory))
            continue;
        std::string prefix = directory;
        if (!place.addSeparatorOnlyWhenMissing || prefix.empty() || prefix.back() != '/')
            prefix += '/';
        if (LoadRecognizerLibrary(prefix + kLibraryName)) {
            vocabularies.push_back(prefix + kVocabularyName);
            loaded = true;
            break;
        }
    }
    if (!loaded && LoadRecognizerLibrary(kLibraryName)) {
        // Found through the run path: the model is beside the host program, or
        // else beside the library the loader picked.
        vocabularies.push_back(ProgramDirectory() + kVocabularyName);
        const std::string folder = LoadedLibraryDirectory();
        if (!folder.empty() && folder + kVocabularyName != vocabularies.front())
            vocabularies.push_back(folder + kVocabularyName);
        loaded = true;
    }
    if (!loaded) {
        qCInfo(lcRecognizer) << "no handwriting recogniser found";
        return false;
    }
    m_vocabularyPath.clear();
    for (const std::string& vocabulary : vocabularies) {
        if (LoadDictionary(vocabulary)) {
            m_vocabularyPath = vocabulary;
            return true;
        }
    }
    // Every field of every game meets this: said once per process.
    std::string places;
    for (const std::string& vocabulary : vocabularies)
        places += (places.empty() ? "" : ", ") + vocabulary;
    if (IsFirstReport(QStringLiteral("recogniser model missing")))
        qCWarning(lcRecognizer).noquote() << "handwriting model missing or not usable (" << places.c_str()
                                          << "): written answers are not recognised; type them instead";
    return true;
}

std::string CHandwritingRecognizer::LoadedLibraryDirectory() const
{
    Dl_info info = {};
    if (!m_fn.CgrLoadDict || !dladdr(reinterpret_cast<void*>(m_fn.CgrLoadDict), &info) || !info.dli_fname)
        return std::string();
    const std::string path = info.dli_fname;
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

bool CHandwritingRecognizer::LoadRecognizerLibrary(const std::string& path)
{
    Unload();
    void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        qCDebug(lcRecognizer) << "cannot load" << path.c_str() << dlerror();
        return false;
    }
    SFunctionTable fn;
    bool complete = true;
    auto resolve = [&](auto& slot, const char* name) {
        slot = reinterpret_cast<std::remove_reference_t<decltype(slot)>>(dlsym(library, name));
        complete = complete && slot != nullptr;
    };
    resolve(fn.CgrLoadDict, "CgrLoadDict");
    resolve(fn.CgrSaveDict, "CgrSaveDict");
    resolve(fn.CgrFreeDict, "CgrFreeDict");
    resolve(fn.CgrGetDictStatus, "CgrGetDictStatus");
    resolve(fn.CgrGetRecID, "CgrGetRecID");
    resolve(fn.CgrCloseContext, "CgrCloseContext");
    resolve(fn.CgrOpenSession, "CgrOpenSession");
    resolve(fn.CgrCloseSession, "CgrCloseSession");
    resolve(fn.CgrRecognize, "CgrRecognize");
    resolve(fn.CgrCreateContext, "CgrCreateContext");
    resolve(fn.CgrGetAnswers, "CgrGetAnswers");
    if (!complete) {
        qCInfo(lcRecognizer) << "recogniser without every entry point rejected:" << path.c_str();
        dlclose(library);
        return false;
    }
    m_library = library;
    m_fn = fn;
    m_libraryPath = path;
    m_context = m_fn.CgrCreateContext();
    m_sessionSettings[2] = 0;
    m_sessionSettings[3] = 0;
    m_sessionOpen = false;
    return true;
}

bool CHandwritingRecognizer::LoadDictionary(const std::string& path)
{
    if (!m_library)
        return false;
    if (m_dictionaryCache.count(path))
        return true;
    // Read only: a missing model is never created (an empty one would stand
    // in for it and hide that it is missing).
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = false;
    struct stat info = {};
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kMaxDictionarySize) {
        const size_t size = size_t(info.st_size);
        std::vector<char> buffer(size + kDictionaryGuard, '\0');
        size_t done = 0;
        while (done < size) {
            const ssize_t n = ::read(fd, buffer.data() + done, size - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += size_t(n);
        }
        if (done == size) {
            int32_t handle = 0;
            if (m_fn.CgrLoadDict(buffer.data(), &handle) == 0) {
                m_dictionaryCache[path] = handle;
                ok = true;
            }
        }
    }
    ::close(fd);
    return ok;
}

bool CHandwritingRecognizer::OpenSession()
{
    if (!m_library)
        return false;
    auto cached = [this](const std::string& path) {
        auto it = m_dictionaryCache.find(path);
        return it == m_dictionaryCache.end() ? 0u : uint32_t(it->second);
    };
    m_sessionSettings[0] = kSessionFlags;
    m_sessionSettings[1] = 0;
    m_sessionSettings[2] = cached(m_vocabularyPath);
    m_sessionSettings[3] = cached(std::string());
    m_sessionSettings[4] = 0;
    m_sessionSettings[5] = 0;
    if (m_fn.CgrOpenSession(m_sessionSettings, m_context) != 0)
        return false;
    m_sessionOpen = true;
    return true;
}

int16_t CHandwritingRecognizer::ConvertX(LONG x)
{
    return clampToShort(long(x) / 700 + 200);
}

int16_t CHandwritingRecognizer::ConvertY(LONG y)
{
    return clampToShort(long(y) / 1000 + 200);
}

void CHandwritingRecognizer::AddStroke(IInkStroke* stroke)
{
    if (!m_library || !stroke)
        return;
    int count = 0;
    LONG* points = nullptr;
    if (FAILED(stroke->GetPoints(0, &count, &points))) {
        CoTaskMemFree(points);
        return;
    }
    if (points && count >= 1)
        AddStrokePoints(points, count);
    CoTaskMemFree(points);
}

void CHandwritingRecognizer::AddStrokePoints(const LONG* integers, int count)
{
    if (!m_library || !integers || count < 1)
        return;
    const int pairs = count / 2;
    std::vector<int16_t> converted(size_t(pairs) * 2);
    for (int i = 0; i < pairs; ++i) {
        converted[2 * i] = ConvertX(integers[2 * i]);
        converted[2 * i + 1] = ConvertY(integers[2 * i + 1]);
    }
    m_fn.CgrRecognize(pairs, converted.data(), m_context);
}

bool CHandwritingRecognizer::CloseSession()
{
    if (!m_library || !m_sessionOpen)
        return false;
    m_sessionOpen = false;
    return m_fn.CgrCloseSession(m_context) == 0;
}

std::string CHandwritingRecognizer::AnswerText(int32_t word, int32_t alternative) const
{
    const char* text = reinterpret_cast<const char*>(m_fn.CgrGetAnswers(3, word, alternative, m_context));
    return text ? std::string(text) : std::string();
}

bool CHandwritingRecognizer::GetCandidates(std::vector<std::string>& candidates)
{
    candidates.clear();
    if (!m_library)
        return false;
    const intptr_t words = m_fn.CgrGetAnswers(1, 0, 0, m_context);
    if (words >= 3) {
        std::string joined;
        for (intptr_t w = 0; w < words && w <= INT32_MAX; ++w) {
            if (w > 0)
                joined += ' ';
            joined += AnswerText(int32_t(w), 0);
        }
        candidates.push_back(joined);
        return true;
    }
    if (words == 2) {
        const intptr_t first = std::min<intptr_t>(2, m_fn.CgrGetAnswers(2, 0, 0, m_context));
        const intptr_t second = std::min<intptr_t>(2, m_fn.CgrGetAnswers(2, 1, 0, m_context));
        if (second <= 0)
            return true;
        if (first <= 0)
            return false;
        for (intptr_t b = 0; b < second; ++b)
            for (intptr_t a = 0; a < first; ++a)
                candidates.push_back(AnswerText(0, int32_t(a)) + ' ' + AnswerText(1, int32_t(b)));
        return true;
    }
    if (words == 1) {
        const intptr_t alternatives = m_fn.CgrGetAnswers(2, 0, 0, m_context);
        for (intptr_t a = 0; a < alternatives && a <= INT32_MAX; ++a)
            candidates.push_back(AnswerText(0, int32_t(a)));
        return true;
    }
    return false;
}
