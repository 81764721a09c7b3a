// Settings under faults: saves operator settings through CParameterSet and the
// real store in child processes, kills them at random points or lets two of
// them save at once, and checks the hive file after every step.
//
//   settings_fault kill N [seed]   kill a saving process with SIGKILL N times
//   settings_fault race N          two processes save different operators N times
//
// Checked each time: the hive parses, the saved operator key holds one whole
// generation (the last one acknowledged or the one being saved), every value
// of every other key is still there, no file was set aside as damaged, and the
// file is readable by its owner only. Exit status 0 when every check held.
// The child modes ("saver", "server") are this program run again.
#include "config/OperatorSettings.h"
#include "config/ParameterSet.h"
#include "platform/registry/RegFileFormat.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kCheckValues = 24;
constexpr const char* kOtherProgramKey = "Software\\Other Maker\\Other Program";
constexpr DWORD kForeignDword = 0xfeed;
constexpr DWORD kQuestionsIndex = 7;

// ---------------------------------------------------------------------------
// Child side.

// The set saved for generation g: the operator's defaults at a level that
// changes with g (so lock markers come and go between saves) and check values
// of varying length that all carry g.
CParameterSet generationSet(int op, long g)
{
    CParameterSet set;
    ApplyDefaults(set, OperatorNameOf(op), static_cast<int>(g % kLevelCount));
    const std::string text = std::to_string(g) + std::string(static_cast<std::size_t>(g % 37), 'x');
    for (int i = 0; i < kCheckValues; ++i)
        set.SetString("Check" + std::to_string(i), text);
    return set;
}

LONG saveGeneration(int op, long g)
{
    return generationSet(op, g).SaveToRegistry(HKEY_CURRENT_USER, OperatorRegistryKey(op).c_str());
}

void say(const std::string& line)
{
    const std::string text = line + "\n";
    // One write per line: the parent sees whole lines even if we die next.
    if (::write(STDOUT_FILENO, text.data(), text.size()) < 0)
        std::_Exit(3);
}

// Saves generations start, start+1, ... until killed.
int runSaver(int op, long start)
{
    for (long g = start;; ++g) {
        if (const LONG rc = saveGeneration(op, g); rc != ERROR_SUCCESS) {
            say("error " + std::to_string(rc));
            return 1;
        }
        say("saved " + std::to_string(g));
    }
}

// Saves the generation named by each line read from stdin.
int runServer(int op)
{
    std::string line;
    char c = 0;
    for (;;) {
        const ssize_t n = ::read(STDIN_FILENO, &c, 1);
        if (n <= 0)
            return 0;
        if (c != '\n') {
            line += c;
            continue;
        }
        const long g = std::strtol(line.c_str(), nullptr, 10);
        line.clear();
        if (const LONG rc = saveGeneration(op, g); rc != ERROR_SUCCESS) {
            say("error " + std::to_string(rc));
            return 1;
        }
        say("saved " + std::to_string(g));
    }
}

// ---------------------------------------------------------------------------
// Parent side.

struct Child
{
    pid_t pid = -1;
    int in = -1; // our end of its stdin
    int out = -1; // our end of its stdout
    std::string buffer;

    // A whole line, waiting up to timeoutMs; nullopt on timeout or end of file.
    std::optional<std::string> readLine(int timeoutMs)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (const auto nl = buffer.find('\n'); nl != std::string::npos) {
                std::string line = buffer.substr(0, nl);
                buffer.erase(0, nl + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now())
                                  .count();
            if (left < 0)
                return std::nullopt;
            pollfd p { out, POLLIN, 0 };
            if (::poll(&p, 1, static_cast<int>(left)) <= 0)
                continue;
            char chunk[256];
            const ssize_t n = ::read(out, chunk, sizeof chunk);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                return std::nullopt;
            buffer.append(chunk, static_cast<std::size_t>(n));
        }
    }

    int wait()
    {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) { }
        if (in >= 0)
            ::close(in);
        return status;
    }
};

Child spawn(const std::vector<std::string>& args)
{
    int toChild[2];
    int fromChild[2];
    if (::pipe2(toChild, O_CLOEXEC) != 0 || ::pipe2(fromChild, O_CLOEXEC) != 0) {
        std::perror("pipe");
        std::exit(2);
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        std::perror("fork");
        std::exit(2);
    }
    if (pid == 0) {
        ::dup2(toChild[0], STDIN_FILENO);
        ::dup2(fromChild[1], STDOUT_FILENO);
        std::vector<char*> argv;
        for (const std::string& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        ::execv("/proc/self/exe", argv.data());
        std::_Exit(127);
    }
    ::close(toChild[0]);
    ::close(fromChild[1]);
    Child child;
    child.pid = pid;
    child.in = toChild[1];
    child.out = fromChild[0];
    return child;
}

std::string readFile(const std::string& path)
{
    std::string text;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return text;
    char chunk[65536];
    ssize_t n;
    while ((n = ::read(fd, chunk, sizeof chunk)) > 0)
        text.append(chunk, static_cast<std::size_t>(n));
    ::close(fd);
    return text;
}

std::vector<std::string> splitPath(const std::string& path)
{
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    parts.push_back(part);
    return parts;
}

std::string stringValue(const CHiveKey* key, const std::string& name)
{
    if (!key)
        return "<missing key>";
    const CHiveKey::Value* v = key->findValue(name);
    if (!v)
        return "<missing value>";
    if (v->type != REG_SZ || v->data.empty() || v->data.back() != 0)
        return "<not a string>";
    return std::string(v->data.begin(), v->data.end() - 1);
}

DWORD dwordValue(const CHiveKey* key, const std::string& name)
{
    const CHiveKey::Value* v = key ? key->findValue(name) : nullptr;
    if (!v || v->type != REG_DWORD || v->data.size() != sizeof(DWORD))
        return 0xffffffffu;
    DWORD d = 0;
    std::memcpy(&d, v->data.data(), sizeof d);
    return d;
}

class CSettingsFault
{
public:
    explicit CSettingsFault(std::string folder)
        : m_folder(std::move(folder))
        , m_file(m_folder + "/HKEY_CURRENT_USER.reg")
    {
        ::setenv("KESTAVO_HIVE_DIR", m_folder.c_str(), 1);
    }

    // Values of other keys the savers must never disturb, written through the
    // store before any child starts.
    bool seed(const std::vector<int>& saverOps)
    {
        bool ok = RegWriteDword(HKEY_CURRENT_USER, kKestavoRegistryKey, kQuestionsIndexValue, kQuestionsIndex)
            == ERROR_SUCCESS;
        for (int op = 0; op < OperatorCount; ++op) {
            const long g = isSaver(op, saverOps) ? 0 : 4242 + op;
            ok = ok && saveGeneration(op, g) == ERROR_SUCCESS;
        }
        for (int op : saverOps)
            ok = ok
                && RegWriteDword(HKEY_CURRENT_USER, OperatorRegistryKey(op).c_str(), "Foreign", kForeignDword)
                    == ERROR_SUCCESS;
        HKEY key = nullptr;
        ok = ok
            && RegCreateKeyExA(
                   HKEY_CURRENT_USER, kOtherProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
                == ERROR_SUCCESS;
        if (key) {
            static const char text[] = "kept \"as is\" \\ here";
            ok = ok
                && RegSetValueExA(key, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text)
                    == ERROR_SUCCESS;
            RegCloseKey(key);
        }
        m_saverOps = saverOps;
        return ok;
    }

    // Reads the file as a freshly started program would and checks it. On
    // success stores each saver operator's generation in generations.
    bool check(std::vector<long>& generations, std::string& fault) const
    {
        struct stat st
        {
        };
        if (::stat(m_file.c_str(), &st) != 0) {
            fault = "hive file missing";
            return false;
        }
        if ((st.st_mode & 0077) != 0) {
            fault = "hive file readable by others";
            return false;
        }
        if (const std::string aside = damagedFile(); !aside.empty()) {
            fault = "a file was set aside as damaged: " + aside;
            return false;
        }
        CHiveKey root("HKEY_CURRENT_USER");
        std::string error;
        if (!CRegFileFormat::parse(readFile(m_file), "HKEY_CURRENT_USER", root, error)) {
            fault = "hive does not parse: " + error;
            return false;
        }
        const CHiveKey* main = root.find(splitPath(kKestavoRegistryKey));
        if (dwordValue(main, kQuestionsIndexValue) != kQuestionsIndex) {
            fault = "QuestionsIndex lost";
            return false;
        }
        const CHiveKey* other = root.find(splitPath(kOtherProgramKey));
        if (stringValue(other, "Name") != "kept \"as is\" \\ here") {
            fault = "value of another program lost";
            return false;
        }
        generations.clear();
        for (int op = 0; op < OperatorCount; ++op) {
            const CHiveKey* key = root.find(splitPath(OperatorRegistryKey(op)));
            long g = -1;
            if (!wholeGeneration(op, key, g, fault))
                return false;
            if (isSaver(op, m_saverOps)) {
                if (dwordValue(key, "Foreign") != kForeignDword) {
                    fault = std::string(OperatorNameOf(op)) + ": value of another type lost";
                    return false;
                }
                generations.push_back(g);
            } else if (g != 4242 + op) {
                fault = std::string(OperatorNameOf(op)) + ": key of an operator nobody saved changed";
                return false;
            }
        }
        return true;
    }

    const std::string& folder() const { return m_folder; }

private:
    static bool isSaver(int op, const std::vector<int>& ops)
    {
        for (int o : ops)
            if (o == op)
                return true;
        return false;
    }

    // The key must hold exactly the set of one generation, nothing mixed.
    static bool wholeGeneration(int op, const CHiveKey* key, long& g, std::string& fault)
    {
        const std::string name = OperatorNameOf(op);
        if (!key) {
            fault = name + ": key lost";
            return false;
        }
        const std::string first = stringValue(key, "Check0");
        g = std::strtol(first.c_str(), nullptr, 10);
        const CParameterSet expected = generationSet(op, g);
        std::size_t strings = 0;
        for (const CHiveKey::Value& v : key->values())
            strings += v.type == REG_SZ ? 1 : 0;
        if (strings != expected.GetEntries().size()) {
            fault = name + ": " + std::to_string(strings) + " strings stored, generation " + std::to_string(g)
                + " has " + std::to_string(expected.GetEntries().size());
            return false;
        }
        for (const auto& entry : expected.GetEntries()) {
            if (stringValue(key, entry.first) != entry.second) {
                fault = name + ": value " + entry.first + " is not that of generation " + std::to_string(g);
                return false;
            }
        }
        return true;
    }

    std::string damagedFile() const
    {
        std::string found;
        if (DIR* dir = ::opendir(m_folder.c_str())) {
            while (const dirent* e = ::readdir(dir)) {
                if (std::strstr(e->d_name, ".damaged-"))
                    found = e->d_name;
            }
            ::closedir(dir);
        }
        return found;
    }

    std::string m_folder;
    std::string m_file;
    std::vector<int> m_saverOps;
};

std::string makeFolder()
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/kestavo-fault-XXXXXX";
    if (!::mkdtemp(pattern.data())) {
        std::perror("mkdtemp");
        std::exit(2);
    }
    return pattern;
}

void removeFolder(const std::string& folder)
{
    if (DIR* dir = ::opendir(folder.c_str())) {
        while (const dirent* e = ::readdir(dir)) {
            if (std::strcmp(e->d_name, ".") != 0 && std::strcmp(e->d_name, "..") != 0)
                ::unlink((folder + "/" + e->d_name).c_str());
        }
        ::closedir(dir);
    }
    ::rmdir(folder.c_str());
}

int runKill(int rounds, unsigned seed)
{
    CSettingsFault fault(makeFolder());
    constexpr int op = OpDivision;
    if (!fault.seed({ op })) {
        std::fprintf(stderr, "seeding the hive failed\n");
        return 1;
    }
    std::mt19937 random(seed);
    long acked = 0; // the generation on file
    int killedSaving = 0;
    int killedWriting = 0;
    struct stat lastTemp
    {
    };
    int totalSaves = 0;
    for (int round = 0; round < rounds; ++round) {
        Child child = spawn({ "settings_fault", "saver", std::to_string(op), std::to_string(acked + 1) });
        // Mostly kill while it is saving in a loop; now and then during start
        // and its first save.
        bool sawSave = false;
        if (random() % 8 == 0) {
            ::usleep(static_cast<useconds_t>(random() % 40000));
        } else {
            if (const auto line = child.readLine(20000); line && line->rfind("saved ", 0) == 0) {
                acked = std::strtol(line->c_str() + 6, nullptr, 10);
                sawSave = true;
                ++totalSaves;
            }
            ::usleep(static_cast<useconds_t>(random() % 15000));
        }
        ::kill(child.pid, SIGKILL);
        const int status = child.wait();
        while (const auto line = child.readLine(1000)) {
            if (line->rfind("saved ", 0) == 0) {
                acked = std::strtol(line->c_str() + 6, nullptr, 10);
                ++totalSaves;
                sawSave = true;
            } else {
                std::fprintf(stderr, "round %d: saver said '%s'\n", round, line->c_str());
                return 1;
            }
        }
        ::close(child.out);
        if (!WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL) {
            std::fprintf(stderr, "round %d: saver ended before it was killed (status %d)\n", round, status);
            return 1;
        }
        killedSaving += sawSave ? 1 : 0;
        // A temporary file left behind means the kill came while a save was
        // writing its new file, the moment that matters most.
        struct stat st
        {
        };
        // Left where it is, so the next saver meets a stale one; counted once.
        if (::stat((fault.folder() + "/HKEY_CURRENT_USER.reg.tmp").c_str(), &st) == 0
            && (st.st_ino != lastTemp.st_ino || st.st_mtim.tv_nsec != lastTemp.st_mtim.tv_nsec
                || st.st_mtim.tv_sec != lastTemp.st_mtim.tv_sec)) {
            ++killedWriting;
            lastTemp = st;
        }
        std::vector<long> generations;
        std::string why;
        if (!fault.check(generations, why)) {
            std::fprintf(
                stderr, "round %d: %s (hive kept in %s)\n", round, why.c_str(), fault.folder().c_str());
            return 1;
        }
        // The file holds the last acknowledged save or the one in progress.
        if (generations[0] != acked && generations[0] != acked + 1) {
            std::fprintf(stderr,
                "round %d: file holds generation %ld, last acknowledged %ld (hive kept in %s)\n", round,
                generations[0], acked, fault.folder().c_str());
            return 1;
        }
        acked = generations[0];
    }
    std::printf("kill: %d rounds, %d killed after at least one save, %d while writing the new file, %d saves "
                "acknowledged, every file whole\n",
        rounds, killedSaving, killedWriting, totalSaves);
    removeFolder(fault.folder());
    return 0;
}

int runRace(int rounds)
{
    CSettingsFault fault(makeFolder());
    const std::vector<int> ops { OpAddition, OpSubtraction };
    if (!fault.seed(ops)) {
        std::fprintf(stderr, "seeding the hive failed\n");
        return 1;
    }
    std::vector<Child> servers;
    for (int op : ops)
        servers.push_back(spawn({ "settings_fault", "server", std::to_string(op) }));
    int result = 0;
    for (int round = 1; round <= rounds && result == 0; ++round) {
        // Both asked at once, so that their saves overlap.
        const std::string line = std::to_string(round) + "\n";
        for (Child& s : servers) {
            if (::write(s.in, line.data(), line.size()) < 0)
                result = 1;
        }
        for (Child& s : servers) {
            const auto answer = s.readLine(30000);
            if (!answer || *answer != "saved " + std::to_string(round)) {
                std::fprintf(
                    stderr, "round %d: saver answered '%s'\n", round, answer ? answer->c_str() : "nothing");
                result = 1;
            }
        }
        std::vector<long> generations;
        std::string why;
        if (result == 0 && !fault.check(generations, why)) {
            std::fprintf(
                stderr, "round %d: %s (hive kept in %s)\n", round, why.c_str(), fault.folder().c_str());
            result = 1;
        }
        for (std::size_t i = 0; result == 0 && i < generations.size(); ++i) {
            if (generations[i] != round) {
                std::fprintf(stderr, "round %d: %s holds generation %ld: a save was lost (hive kept in %s)\n",
                    round, OperatorNameOf(ops[i]), generations[i], fault.folder().c_str());
                result = 1;
            }
        }
    }
    for (Child& s : servers) {
        ::close(s.in);
        s.in = -1;
        s.wait();
        ::close(s.out);
    }
    if (result == 0) {
        std::printf("race: %d rounds of two processes saving at once, nothing lost\n", rounds);
        removeFolder(fault.folder());
    }
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "saver" && argc == 4)
        return runSaver(std::atoi(argv[2]), std::atol(argv[3]));
    if (mode == "server" && argc == 3)
        return runServer(std::atoi(argv[2]));
    if (mode == "kill" && (argc == 3 || argc == 4))
        return runKill(std::atoi(argv[2]),
            argc == 4 ? static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)) : std::random_device {}());
    if (mode == "race" && argc == 3)
        return runRace(std::atoi(argv[2]));
    std::fprintf(stderr, "usage: settings_fault kill ROUNDS [SEED] | race ROUNDS\n");
    return 2;
}
