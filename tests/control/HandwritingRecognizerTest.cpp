#include "control/HandwritingRecognizer.h"

#include "platform/com/BoardInterfaces.h"
#include "platform/com/Com.h"
#include "platform/registry/Registry.h"
#include "tests/control/FakeInk.h"
#include "tests/fixtures/RegistryValues.h"
#include "tests/fixtures/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

const std::string kComplete = std::string(FAKE_CALLIG_DIR) + "/complete";
const std::string kPartial = std::string(FAKE_CALLIG_DIR) + "/partial";

const char* kStep1 = "Software\\Tandrel Technologies Inc.\\Tandrel Board Software\\Install Information";
const char* kStep2 = "Software\\Tandrel Technologies Inc.\\Tandrel Board Service\\7.0\\Install Information";
const char* kStep3 = "Software\\Tandrel Technologies Inc.\\Tandrel Board Service\\6.0\\Install Information";

// The fake's recording side, reached through the same loaded library.
struct SFake
{
    void* lib = nullptr;
    explicit SFake(const std::string& dir) { lib = dlopen((dir + "/libcallig.so").c_str(), RTLD_NOW); }
    ~SFake()
    {
        if (lib)
            dlclose(lib);
    }
    template <typename F> F fn(const char* name) const { return reinterpret_cast<F>(dlsym(lib, name)); }
    void script(const char* words, int openResult = 0) const
    {
        fn<void (*)(const char*, int)>("FakeScript")(words, openResult);
    }
    int loadCalls() const { return fn<int (*)()>("FakeLoadCalls")(); }
    const unsigned char* firstBytes() const { return fn<const unsigned char* (*)()>("FakeFirstBytes")(); }
    const uint32_t* settings() const { return fn<const uint32_t* (*)()>("FakeSettings")(); }
    std::vector<int16_t> points() const
    {
        int n = 0;
        const int16_t* p = fn<const int16_t* (*)(int*)>("FakePoints")(&n);
        return std::vector<int16_t>(p, p + n);
    }
};

std::vector<std::string> candidates(CHandwritingRecognizer& r, const char* words, bool* ok = nullptr)
{
    SFake fake(kComplete);
    fake.script(words);
    std::vector<std::string> out { "stale" };
    const bool result = r.GetCandidates(out);
    if (ok)
        *ok = result;
    return out;
}

// A stroke whose points are given in the ink component's units.
class CPointStroke final : public CInertStroke<IInkStroke>
{
public:
    explicit CPointStroke(std::vector<LONG> points)
        : m_points(std::move(points))
    {
    }
    HRESULT QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return 1; }
    ULONG Release() override { return 1; }
    HRESULT GetPoints(int, int* count, LONG** points) override
    {
        *count = int(m_points.size());
        *points = static_cast<LONG*>(CoTaskMemAlloc(m_points.size() * sizeof(LONG)));
        std::copy(m_points.begin(), m_points.end(), *points);
        return S_OK;
    }

private:
    std::vector<LONG> m_points;
};

} // namespace

TEST(HandwritingRecognizerSearch, SkipsALibraryWithoutEveryEntryPointAndNeverCreatesAVocabulary)
{
    QTemporaryDir work;
    // Step 1 names a folder whose library lacks an entry point; step 2 a complete one.
    SetRegistryString(HKEY_LOCAL_MACHINE, kStep1, "Board Directory", kPartial);
    SetRegistryString(HKEY_LOCAL_MACHINE, kStep2, "Board Directory", kComplete + "/");
    const std::string vocabulary = kComplete + "//Calligrapher.voc";
    QFile::remove(QString::fromStdString(vocabulary));
    {
        CHandwritingRecognizer r(work.path().toStdString() + "/");
        ASSERT_TRUE(r.FindRecognizer());
        // Steps 2 to 5 always insert a separator, even after a trailing one.
        EXPECT_EQ(r.LibraryPath(), kComplete + "//libcallig.so");
        EXPECT_EQ(r.VocabularyPath(), "") << "no model there";
        EXPECT_FALSE(QFile::exists(QString::fromStdString(vocabulary))) << "a missing model is never made";
        EXPECT_EQ(SFake(kComplete).loadCalls(), 0);
    }

    // An empty model is handed over like any other, followed by zeros, never
    // by stray memory.
    WriteFile(QString::fromStdString(vocabulary), QByteArray());
    CHandwritingRecognizer r(work.path().toStdString() + "/");
    ASSERT_TRUE(r.FindRecognizer());
    EXPECT_EQ(r.VocabularyPath(), vocabulary);
    SFake fake(kComplete);
    EXPECT_EQ(fake.loadCalls(), 1);
    EXPECT_EQ(fake.firstBytes()[0], 0);
    QFile::remove(QString::fromStdString(vocabulary));
}

TEST(HandwritingRecognizerSearch, StepOneAddsASeparatorOnlyWhenMissingAndLaterStepsAreNotConsulted)
{
    SetRegistryString(HKEY_LOCAL_MACHINE, kStep1, "Board Directory", kComplete + "/");
    SetRegistryString(HKEY_LOCAL_MACHINE, kStep2, "Board Directory", kPartial);
    CHandwritingRecognizer r("/nonexistent/");
    ASSERT_TRUE(r.FindRecognizer());
    EXPECT_EQ(r.LibraryPath(), kComplete + "/libcallig.so");
    QFile::remove(QString::fromStdString(kComplete + "/Calligrapher.voc"));
}

TEST(HandwritingRecognizerSearch, ClassesRootPlacesAfterUnreadableMachinePlaces)
{
    // A key without the value and a value naming a folder without a library are both skipped.
    SetRegistryString(HKEY_LOCAL_MACHINE, kStep3, "Other", kComplete);
    SetRegistryString(HKEY_CLASSES_ROOT, "Software\\TandrelBoard", "ExeDir", "/nonexistent/board");
    SetRegistryString(HKEY_CLASSES_ROOT, "Software\\Tandrel.Wexbridge", "ExeDir", kComplete);
    CHandwritingRecognizer r("/nonexistent/");
    ASSERT_TRUE(r.FindRecognizer());
    EXPECT_EQ(r.LibraryPath(), kComplete + "/libcallig.so");
    QFile::remove(QString::fromStdString(kComplete + "/Calligrapher.voc"));
}

TEST(HandwritingRecognizerSearch, LastPlaceUsesTheLoaderSearchThenTheProgramOrLibraryFolder)
{
    QTemporaryDir program;
    const std::string folder = program.path().toStdString() + "/";
    const QString besideProgram = QString::fromStdString(folder + "Calligrapher.voc");
    {
        // No registry entries: the loader finds the built libcallig.so through
        // the run path; the program's folder has no model, the library's has.
        CHandwritingRecognizer r(folder);
        ASSERT_TRUE(r.FindRecognizer());
        EXPECT_EQ(r.LibraryPath(), "libcallig.so");
        EXPECT_FALSE(QFile::exists(besideProgram)) << "nothing is made beside the program";
        ASSERT_FALSE(r.VocabularyPath().empty());
        EXPECT_EQ(QFileInfo(QString::fromStdString(r.VocabularyPath())).fileName(), "Calligrapher.voc");
        EXPECT_TRUE(QFileInfo(QString::fromStdString(r.VocabularyPath()))
                        .dir()
                        .exists(QStringLiteral("libcallig.so")));
        EXPECT_GT(QFileInfo(QString::fromStdString(r.VocabularyPath())).size(), 0);
    }

    // A model beside the program comes first; one the recogniser refuses
    // (empty) falls back to the library's.
    WriteFile(besideProgram, QByteArray());
    CHandwritingRecognizer r(folder);
    ASSERT_TRUE(r.FindRecognizer());
    EXPECT_NE(r.VocabularyPath(), folder + "Calligrapher.voc");
    EXPECT_FALSE(r.VocabularyPath().empty());
    // Sessions run with the model.
    ASSERT_TRUE(r.OpenSession());
    r.AddStrokePoints(std::vector<LONG> { 0, 0, 7000, 10000 }.data(), 4);
    EXPECT_TRUE(r.CloseSession());
}

TEST(HandwritingRecognizerDictionary, CachesByExactPathAndRefusesRejectedFiles)
{
    QTemporaryDir dir;
    CHandwritingRecognizer r;
    EXPECT_FALSE(r.LoadDictionary(dir.filePath("a.voc").toStdString())) << "no library yet";
    ASSERT_TRUE(r.LoadRecognizerLibrary(kComplete + "/libcallig.so"));
    SFake fake(kComplete);
    const int before = fake.loadCalls();
    const std::string good = dir.filePath("good.voc").toStdString();
    WriteFile(QString::fromStdString(good), "GOOD");
    EXPECT_TRUE(r.LoadDictionary(good));
    EXPECT_TRUE(r.LoadDictionary(good));
    EXPECT_EQ(fake.loadCalls(), before + 1);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(fake.firstBytes()), 4), "GOOD");
    // Another spelling of the same file is another cache entry.
    EXPECT_TRUE(r.LoadDictionary(dir.path().toStdString() + "/./good.voc"));
    EXPECT_EQ(fake.loadCalls(), before + 2);

    const std::string bad = dir.filePath("bad.voc").toStdString();
    WriteFile(QString::fromStdString(bad), "BAD!");
    EXPECT_FALSE(r.LoadDictionary(bad));
    EXPECT_FALSE(r.LoadDictionary(bad)) << "a refused file is not cached";
    EXPECT_EQ(fake.loadCalls(), before + 4);
    // A folder cannot be opened as a file.
    EXPECT_FALSE(r.LoadDictionary(dir.path().toStdString()));
}

TEST(HandwritingRecognizerSession, SettingsWordsAndPointConversion)
{
    QTemporaryDir dir;
    CHandwritingRecognizer r;
    ASSERT_TRUE(r.LoadRecognizerLibrary(kComplete + "/libcallig.so"));
    SFake fake(kComplete);
    fake.script("");
    ASSERT_TRUE(r.OpenSession());
    const uint32_t* s = fake.settings();
    EXPECT_EQ(s[0], 0x412u);
    EXPECT_EQ(s[1], 0u);
    EXPECT_EQ(s[2], 0u) << "no vocabulary loaded";
    EXPECT_EQ(s[3], 0u);
    EXPECT_EQ(s[4] | s[5], 0u);

    // x / 700 + 200 and y / 1000 + 200, truncated toward zero; far points are held at the 16-bit limits.
    const std::vector<LONG> ink { 1399, 2999, -1399, -2999, 7000000, -2000000000, 700, 1000, 5 };
    r.AddStrokePoints(ink.data(), int(ink.size()));
    EXPECT_EQ(fake.points(), (std::vector<int16_t> { 201, 202, 199, 198, 10200, -32768, 201, 201 }));

    CPointStroke stroke({ 70000, 50000, 35000, 1000 });
    r.AddStroke(&stroke);
    EXPECT_EQ(fake.points(), (std::vector<int16_t> { 300, 250, 250, 201 }));
    EXPECT_TRUE(r.CloseSession());
    EXPECT_FALSE(r.CloseSession()) << "no session is open any more";

    fake.script("", 5);
    EXPECT_FALSE(r.OpenSession());
    EXPECT_FALSE(r.CloseSession());
}

TEST(HandwritingRecognizerSession, MainDictionaryHandleIsTheVocabularysCacheEntry)
{
    SetRegistryString(HKEY_LOCAL_MACHINE, kStep1, "Board Directory", kComplete);
    WriteFile(QString::fromStdString(kComplete + "/Calligrapher.voc"), "GOOD");
    CHandwritingRecognizer r("/nonexistent/");
    ASSERT_TRUE(r.FindRecognizer());
    SFake fake(kComplete);
    ASSERT_TRUE(r.OpenSession());
    EXPECT_EQ(fake.settings()[2], uint32_t(40 + fake.loadCalls()));
    EXPECT_EQ(fake.settings()[3], 0u);
    QFile::remove(QString::fromStdString(kComplete + "/Calligrapher.voc"));
}

TEST(HandwritingRecognizerCandidates, WordCountRules)
{
    CHandwritingRecognizer r;
    std::vector<std::string> out;
    EXPECT_FALSE(r.GetCandidates(out)) << "no library";
    ASSERT_TRUE(r.LoadRecognizerLibrary(kComplete + "/libcallig.so"));
    bool ok = false;

    // Three or more words: one candidate of the first alternatives; a null text is empty.
    EXPECT_EQ(candidates(r, "1|7;2;~|4;5", &ok), (std::vector<std::string> { "1 2  5" }));
    EXPECT_TRUE(ok);
    // Two words: pairs in the order a0 b0, a1 b0, a0 b1, a1 b1, at most two alternatives each.
    EXPECT_EQ(candidates(r, "1|7|9;2|3|8", &ok), (std::vector<std::string> { "1 2", "7 2", "1 3", "7 3" }));
    EXPECT_EQ(candidates(r, "1|7;2", &ok), (std::vector<std::string> { "1 2", "7 2" }));
    EXPECT_EQ(candidates(r, "1;2|3", &ok), (std::vector<std::string> { "1 2", "1 3" }));
    // Second word without alternatives: success with no candidate.
    EXPECT_TRUE(candidates(r, "1;", &ok).empty());
    EXPECT_TRUE(ok);
    // First word empty while the second has one: failure.
    EXPECT_TRUE(candidates(r, ";2", &ok).empty());
    EXPECT_FALSE(ok);
    // One word: every alternative in the recogniser's order.
    EXPECT_EQ(candidates(r, "12|17|72", &ok), (std::vector<std::string> { "12", "17", "72" }));
    EXPECT_TRUE(ok);
    // No word: failure.
    EXPECT_TRUE(candidates(r, "", &ok).empty());
    EXPECT_FALSE(ok);
}

TEST(HandwritingRecognizerLifetime, ReleasesContextAndDictionariesOnDestruction)
{
    QTemporaryDir dir;
    SFake fake(kComplete);
    auto closed = fake.fn<int (*)()>("FakeContextsClosed");
    auto freed = fake.fn<int (*)()>("FakeFreed");
    const int closedBefore = closed(), freedBefore = freed();
    {
        CHandwritingRecognizer r;
        ASSERT_TRUE(r.LoadRecognizerLibrary(kComplete + "/libcallig.so"));
        for (const char* name : { "one.voc", "two.voc" })
            WriteFile(dir.filePath(QLatin1String(name)), QByteArray());
        EXPECT_TRUE(r.LoadDictionary(dir.filePath("one.voc").toStdString()));
        EXPECT_TRUE(r.LoadDictionary(dir.filePath("two.voc").toStdString()));
    }
    EXPECT_EQ(closed(), closedBefore + 1);
    EXPECT_EQ(freed(), freedBefore + 2);
}
