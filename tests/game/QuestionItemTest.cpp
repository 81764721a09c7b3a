#include "config/OperatorSettings.h"
#include "game/GameModel.h"

#include <gtest/gtest.h>

namespace {

// Counts its references; stands in for the board software's ink container.
class CountingInk : public IInkContainer
{
public:
    explicit CountingInk(int& alive)
        : m_alive(alive)
    {
        ++m_alive;
    }
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (iid == IID_IUnknown || iid == IID_IInkContainer) {
            *object = static_cast<IInkContainer*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG AddRef() override { return ++m_refs; }
    ULONG Release() override
    {
        const ULONG refs = --m_refs;
        if (refs == 0) {
            --m_alive;
            delete this;
        }
        return refs;
    }
    HRESULT Count(int* count) override
    {
        *count = 0;
        return S_OK;
    }
    HRESULT Item(int, IInkStroke**) override { return E_INVALIDARG; }
    HRESULT Remove(IInkStroke*) override { return S_OK; }
    HRESULT Insert(IInkStroke*, int) override { return S_OK; }
    HRESULT Clear() override { return S_OK; }

private:
    ULONG m_refs = 1;
    int& m_alive;
};

TEST(QuestionItemTest, InkIsReleasedWithItsQuestion)
{
    int alive = 0;
    CGameModel model(4);
    model.SetSetupRunner([](std::vector<CParameterSet>& sets, int& count) {
        CParameterSet set;
        ApplyDefaults(set, OperatorName::Addition, 2);
        sets = { set };
        count = 10;
        return true;
    });
    ASSERT_TRUE(model.NewGame(true));
    model.GetItem(0)->ink = CComPtr<IInkContainer>::Adopt(new CountingInk(alive));
    model.GetItem(3)->ink = CComPtr<IInkContainer>::Adopt(new CountingInk(alive));
    ASSERT_EQ(alive, 2);
    EXPECT_EQ(model.GetItem(0)->EnsureInk(), model.GetItem(0)->ink.Get()) << "existing ink is kept";

    model.BuildQuestions(); // a new game's items start without ink
    EXPECT_EQ(alive, 0);
    EXPECT_FALSE(model.GetItem(0)->ink);
}

TEST(QuestionItemTest, MissingInkComponentMeansNoInk)
{
    // The fresh test hive registers no ink component.
    CQuestionItem item;
    EXPECT_EQ(item.EnsureInk(), nullptr);
    EXPECT_FALSE(item.ink);
}

} // namespace
