#pragma once

// Finds the board software's handwriting recogniser (libcallig.so with its
// vocabulary Calligrapher.voc), loads it and drives its sessions.

#include "control/InkRecognition.h"
#include "platform/WinTypes.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct IInkStroke;

class CHandwritingRecognizer : public CInkRecognition
{
public:
    // The recogniser's calls as this control uses them. Handles are 32-bit ids;
    // CgrGetAnswers is pointer-sized because one of its answers is a text pointer.
    using PFN_CgrLoadDict = int32_t (*)(const void* image, int32_t* dict);
    using PFN_CgrSaveDict = int32_t (*)(const char* path, int32_t dict);
    using PFN_CgrFreeDict = int32_t (*)(int32_t* dict);
    using PFN_CgrGetDictStatus = int32_t (*)(int32_t dict);
    using PFN_CgrGetRecID = int32_t (*)(int32_t context);
    using PFN_CgrCloseContext = int32_t (*)(int32_t context);
    using PFN_CgrOpenSession = int32_t (*)(const uint32_t* settings, int32_t context);
    using PFN_CgrCloseSession = int32_t (*)(int32_t context);
    using PFN_CgrRecognize = int32_t (*)(int32_t count, const int16_t* points, int32_t context);
    using PFN_CgrCreateContext = int32_t (*)();
    using PFN_CgrGetAnswers = intptr_t (*)(int32_t what, int32_t word, int32_t alternative, int32_t context);

    struct SFunctionTable
    {
        PFN_CgrLoadDict CgrLoadDict = nullptr;
        PFN_CgrSaveDict CgrSaveDict = nullptr;
        PFN_CgrFreeDict CgrFreeDict = nullptr;
        PFN_CgrGetDictStatus CgrGetDictStatus = nullptr;
        PFN_CgrGetRecID CgrGetRecID = nullptr;
        PFN_CgrCloseContext CgrCloseContext = nullptr;
        PFN_CgrOpenSession CgrOpenSession = nullptr;
        PFN_CgrCloseSession CgrCloseSession = nullptr;
        PFN_CgrRecognize CgrRecognize = nullptr;
        PFN_CgrCreateContext CgrCreateContext = nullptr;
        PFN_CgrGetAnswers CgrGetAnswers = nullptr;
    };

    static constexpr uint32_t kSessionFlags = 0x412;
    static constexpr const char* kLibraryName = "libcallig.so";
    static constexpr const char* kVocabularyName = "Calligrapher.voc";
    // Zero bytes placed after a vocabulary file's contents: the recogniser gets
    // no length, and a cut-short file would otherwise be read past its end (the
    // recogniser bounds that over-read to less than this).
    static constexpr size_t kDictionaryGuard = 4096;
    // Larger vocabulary files are refused rather than read into memory.
    static constexpr int64_t kMaxDictionarySize = 64 * 1024 * 1024;

    // programDirectory: folder of the host program, ending with '/'; empty means
    // the folder of the running executable.
    explicit CHandwritingRecognizer(std::string programDirectory = std::string());
    ~CHandwritingRecognizer() override;
    CHandwritingRecognizer(const CHandwritingRecognizer&) = delete;
    CHandwritingRecognizer& operator=(const CHandwritingRecognizer&) = delete;

    // Tries the recogniser's six places in order; true when a library loaded.
    // The model is read beside the library (or, for the library the loader
    // found, beside the host program, then beside the library); without a
    // usable one VocabularyPath() is empty and a warning is logged once.
    bool FindRecognizer();
    bool LoadRecognizerLibrary(const std::string& path);
    bool LoadDictionary(const std::string& path);

    bool OpenSession() override;
    void AddStroke(IInkStroke* stroke) override;
    // The stroke's points as the ink component gives them: count integers,
    // x and y alternating, in thousandths of a pixel.
    void AddStrokePoints(const LONG* integers, int count);
    bool CloseSession() override;
    bool GetCandidates(std::vector<std::string>& candidates) override;

    bool IsLoaded() const { return m_library != nullptr; }
    const std::string& VocabularyPath() const { return m_vocabularyPath; }
    const std::string& LibraryPath() const { return m_libraryPath; }

    // The recogniser's unit conversion of one ink component point.
    static int16_t ConvertX(LONG x);
    static int16_t ConvertY(LONG y);

private:
    void Unload();
    std::string ProgramDirectory() const;
    // The folder of the loaded library, ending with '/'; empty when unknown.
    std::string LoadedLibraryDirectory() const;
    std::string AnswerText(int32_t word, int32_t alternative) const;

    void* m_library = nullptr;
    SFunctionTable m_fn;
    bool m_sessionOpen = false;
    std::map<std::string, int32_t> m_dictionaryCache;
    uint32_t m_sessionSettings[6] = { 0, 0, 0, 0, 0, 0 };
    int32_t m_context = 0;
    std::string m_vocabularyPath;
    std::string m_libraryPath;
    std::string m_programDirectory;
};
