// The settings store: one value saved, and the four operator keys read back
// and saved as the Setup dialog does.
#include "platform/registry/Registry.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

const char* const kOperators[] = { "Addition", "Subtraction", "Multiplication", "Division" };
constexpr int kValuesPerOperator = 30; // about what one operator's settings hold, markers included

// A fresh hive folder for one benchmark.
class HiveFolder
{
public:
    HiveFolder()
    {
        char templ[] = "/tmp/kestavo-bench-XXXXXX";
        m_path = ::mkdtemp(templ);
        ::setenv("KESTAVO_HIVE_DIR", m_path.c_str(), 1);
    }
    ~HiveFolder()
    {
        const std::string cmd = "rm -rf '" + m_path + "'";
        (void)std::system(cmd.c_str());
    }

private:
    std::string m_path;
};

std::string operatorKey(const char* op)
{
    return std::string("Software\\Tandrel Technologies Inc.\\Kestavo\\") + op;
}

void setString(HKEY key, const std::string& name, const std::string& text)
{
    RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
        static_cast<DWORD>(text.size() + 1));
}

void saveOperator(const char* op)
{
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, operatorKey(op).c_str(), 0, nullptr, 0, KEY_WRITE | KEY_QUERY_VALUE,
        nullptr, &key, nullptr);
    // Remove the string values, then write the whole set.
    for (DWORD index = 0;;) {
        char name[1024];
        DWORD size = sizeof name;
        DWORD type = 0;
        if (RegEnumValueA(key, index, name, &size, nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (type == REG_SZ)
            RegDeleteValueA(key, name);
        else
            ++index;
    }
    for (int i = 0; i < kValuesPerOperator; ++i)
        setString(key, "Key" + std::to_string(i), i % 2 ? "True" : "12");
    RegCloseKey(key);
}

void BM_OpenSetClose(benchmark::State& state)
{
    HiveFolder folder;
    saveOperator("Addition");
    int n = 0;
    for (auto _ : state) {
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Tandrel Technologies Inc.\\Kestavo", 0, nullptr, 0,
            KEY_WRITE, nullptr, &key, nullptr);
        const DWORD v = static_cast<DWORD>(++n);
        RegSetValueExA(key, "QuestionsIndex", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), sizeof v);
        RegCloseKey(key);
    }
}
BENCHMARK(BM_OpenSetClose)->Unit(benchmark::kMicrosecond);

void BM_LoadFourOperatorKeys(benchmark::State& state)
{
    HiveFolder folder;
    for (const char* op : kOperators)
        saveOperator(op);
    for (auto _ : state) {
        for (const char* op : kOperators) {
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, operatorKey(op).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
                state.SkipWithError("key missing");
            for (DWORD index = 0;; ++index) {
                char name[1024];
                DWORD nameSize = sizeof name;
                DWORD type = 0;
                DWORD size = 0;
                if (RegEnumValueA(key, index, name, &nameSize, nullptr, &type, nullptr, &size)
                    != ERROR_SUCCESS)
                    break;
                char data[64];
                DWORD dataSize = sizeof data;
                RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &dataSize);
                benchmark::DoNotOptimize(data);
            }
            RegCloseKey(key);
        }
    }
}
BENCHMARK(BM_LoadFourOperatorKeys)->Unit(benchmark::kMicrosecond);

void BM_SaveFourOperatorKeys(benchmark::State& state)
{
    HiveFolder folder;
    for (auto _ : state) {
        for (const char* op : kOperators)
            saveOperator(op);
    }
}
BENCHMARK(BM_SaveFourOperatorKeys)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
