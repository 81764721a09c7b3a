// The exported recogniser calls: contexts, dictionaries and sessions by small
// integer ids, kept in tables under one lock.

#include "boardsoft/callig/Callig.h"

#include "boardsoft/callig/CalligModel.h"
#include "boardsoft/callig/InkReader.h"

#include <QLoggingCategory>
#include <map>
#include <memory>
#include <mutex>

Q_LOGGING_CATEGORY(lcCallig, "kestavo.callig")

namespace {

// Bounds on what one session keeps, so hostile point streams cannot exhaust
// memory or time.
constexpr size_t kMaxStrokes = 64;
constexpr size_t kMaxPoints = 16384;
// The recogniser's id: digits, "-" and ".".
constexpr int32_t kRecognizerId = 0x4B440001;

struct SContext
{
    bool open = false;
    std::shared_ptr<const CCalligModel> model;
    CInkStrokeList strokes;
    size_t points = 0;
    std::vector<CInkReader::CWord> answers;
};

struct STables
{
    std::mutex lock;
    std::map<int32_t, SContext> contexts;
    std::map<int32_t, std::shared_ptr<const CCalligModel>> dicts;
    int32_t nextContext = 1;
    int32_t nextDict = 1;
};

STables& tables()
{
    static STables t;
    return t;
}

// Ids stay positive and unique while in use, even after wrapping.
template <typename Map> int32_t takeId(int32_t& next, const Map& used)
{
    for (int tries = 0; tries < 1 << 20; ++tries) {
        const int32_t id = next;
        next = next == INT32_MAX ? 1 : next + 1;
        if (!used.count(id))
            return id;
    }
    return 0;
}

} // namespace

extern "C" {

int32_t CgrLoadDict(const void* image, int32_t* dict)
{
    if (!image || !dict)
        return CGR_ERR_ARGUMENT;
    std::string error;
    std::shared_ptr<const CCalligModel> model(CCalligModel::Load(static_cast<const uint8_t*>(image), &error));
    if (!model) {
        qCInfo(lcCallig) << "model refused:" << error.c_str();
        return CGR_ERR_FORMAT;
    }
    STables& t = tables();
    std::lock_guard<std::mutex> guard(t.lock);
    const int32_t id = takeId(t.nextDict, t.dicts);
    if (id == 0)
        return CGR_ERR_STATE;
    t.dicts[id] = std::move(model);
    *dict = id;
    return CGR_OK;
}

int32_t CgrSaveDict(const char*, int32_t)
{
    return CGR_ERR_UNSUPPORTED;
}

int32_t CgrFreeDict(int32_t* dict)
{
    if (!dict)
        return CGR_ERR_ARGUMENT;
    STables& t = tables();
    std::lock_guard<std::mutex> guard(t.lock);
    const bool known = t.dicts.erase(*dict) > 0;
    *dict = 0;
    return known ? CGR_OK : CGR_ERR_ARGUMENT;
}

int32_t CgrGetDictStatus(int32_t dict)
{
    STables& t = tables();
    std::lock_guard<std::mutex> guard(t.lock);
    return t.dicts.count(dict) ? CGR_OK : CGR_ERR_ARGUMENT;
}

int32_t CgrGetRecID(int32_t)
{
    return kRecognizerId;
}

int32_t CgrCreateContext()
{
    STables& t = tables();
    std::lock_guard<std::mutex> guard(t.lock);
    const int32_t id = takeId(t.nextContext, t.contexts);
    if (id != 0)
        t.contexts[id] = SContext {};
    return id;
}

int32_t CgrCloseContext(int32_t context)
{
    STables& t = tables();
    std::lock_guard<std::mutex> guard(t.lock);
    return t.contexts.erase(context) ? CGR_OK : CGR_ERR_ARGUMENT;
}

int32_t CgrOpenSession(const uint32_t* settings, int32_t context)
{
    if (!settings)
        return CGR_ERR_ARGUMENT;
    STables& t = tables();
    std::lock_guard<std::mutex> guard(t.lock);
    auto c = t.contexts.find(context);
    if (c == t.contexts.end())
        return CGR_ERR_ARGUMENT;
    std::shared_ptr<const CCalligModel> model;
    const int32_t mainDict = int32_t(settings[2]);
    if (mainDict != 0) {
        auto d = t.dicts.find(mainDict);
        if (d == t.dicts.end())
            return CGR_ERR_ARGUMENT;
        model = d->second;
    }
    c->second = SContext {};
    c->second.open = true;
    c->second.model = std::move(model);
    return CGR_OK;
}

int32_t CgrRecognize(int32_t count, const int16_t* points, int32_t context)
{
    if (count < 0 || (count > 0 && !points))
        return CGR_ERR_ARGUMENT;
    STables& t = tables();
    std::lock_guard<std::mutex> guard(t.lock);
    auto c = t.contexts.find(context);
    if (c == t.contexts.end() || !c->second.open)
        return CGR_ERR_STATE;
    SContext& ctx = c->second;
    if (count == 0)
        return CGR_OK;
    if (ctx.strokes.size() >= kMaxStrokes || ctx.points + size_t(count) > kMaxPoints)
        return CGR_ERR_ARGUMENT;
    // Undo the caller's unit conversion (x / 700 + 200, y / 1000 + 200 of
    // thousandths of a pixel) so both axes are in pixels again.
    std::vector<SInkPoint> stroke(static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        stroke[i].x = (float(points[2 * i]) - 200.0f) * 0.7f;
        stroke[i].y = float(points[2 * i + 1]) - 200.0f;
    }
    ctx.points += size_t(count);
    ctx.strokes.push_back(std::move(stroke));
    return CGR_OK;
}

int32_t CgrCloseSession(int32_t context)
{
    std::shared_ptr<const CCalligModel> model;
    CInkStrokeList strokes;
    {
        STables& t = tables();
        std::lock_guard<std::mutex> guard(t.lock);
        auto c = t.contexts.find(context);
        if (c == t.contexts.end() || !c->second.open)
            return CGR_ERR_STATE;
        c->second.open = false;
        model = c->second.model;
        strokes.swap(c->second.strokes);
        c->second.points = 0;
    }
    auto answers = CInkReader::Read(strokes, model.get());
    STables& t = tables();
    std::lock_guard<std::mutex> guard(t.lock);
    auto c = t.contexts.find(context);
    if (c == t.contexts.end())
        return CGR_ERR_STATE;
    c->second.answers = std::move(answers);
    return CGR_OK;
}

intptr_t CgrGetAnswers(int32_t what, int32_t word, int32_t alternative, int32_t context)
{
    STables& t = tables();
    std::lock_guard<std::mutex> guard(t.lock);
    auto c = t.contexts.find(context);
    if (c == t.contexts.end())
        return 0;
    const auto& answers = c->second.answers;
    switch (what) {
    case CGR_ANSWER_WORDS:
        return intptr_t(answers.size());
    case CGR_ANSWER_ALTERNATIVES:
        if (word < 0 || size_t(word) >= answers.size())
            return 0;
        return intptr_t(answers[word].size());
    case CGR_ANSWER_TEXT:
        if (word < 0 || size_t(word) >= answers.size() || alternative < 0
            || size_t(alternative) >= answers[word].size())
            return 0;
        return reinterpret_cast<intptr_t>(answers[word][alternative].c_str());
    default:
        return 0;
    }
}

int32_t CalligRenderGlyph(
    const float* xy, const int32_t* strokeLengths, int32_t strokeCount, float penRadius, float* image784)
{
    if (!xy || !strokeLengths || !image784 || strokeCount < 0 || !(penRadius > 0 && penRadius < 40))
        return CGR_ERR_ARGUMENT;
    CInkStrokeList strokes;
    size_t at = 0;
    for (int32_t s = 0; s < strokeCount; ++s) {
        if (strokeLengths[s] < 0)
            return CGR_ERR_ARGUMENT;
        std::vector<SInkPoint> stroke;
        for (int32_t i = 0; i < strokeLengths[s]; ++i, ++at)
            stroke.push_back(SInkPoint { xy[2 * at], xy[2 * at + 1] });
        strokes.push_back(std::move(stroke));
    }
    CGlyphRenderer::Render(strokes, penRadius, image784);
    return CGR_OK;
}

} // extern "C"
