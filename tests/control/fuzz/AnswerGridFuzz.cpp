// Drives the answer grid with arbitrary answers, state strings and key
// sequences, and checks after every step that the grid stays consistent.
#include "control/AnswerGrid.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

class Reader
{
public:
    Reader(const uint8_t* data, size_t size)
        : m_data(data)
        , m_size(size)
    {
    }
    bool More() const { return m_pos < m_size; }
    uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    std::string Text()
    {
        size_t length = Byte();
        if (length == 255) // long texts too
            length = static_cast<size_t>(Byte()) * 64;
        std::string text;
        while (text.size() < length && m_pos < m_size)
            text.push_back(static_cast<char>(m_data[m_pos++]));
        return text;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

void CheckConsistent(const CAnswerGrid& grid)
{
    const size_t n = grid.Expected().size();
    Check(grid.Entries().size() == n);
    Check(grid.HintMarks().size() == n);
    Check(grid.FocusIndex() >= -1 && grid.FocusIndex() < static_cast<int>(n));
    Check(grid.GetState().size() == 3 * n + 1);
    Check(grid.IsCorrect() == (grid.Entries() == grid.Expected()));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Reader in(data, size);
    CAnswerGrid grid;
    while (in.More()) {
        switch (in.Byte() % 9) {
        case 0:
            grid.Reset();
            grid.LoadAnswer(in.Text());
            break;
        case 1: {
            const std::string before = grid.GetState();
            const std::string state = in.Text();
            const bool accepted = grid.SetState(state);
            Check(accepted == (!state.empty() && (state.size() - 1) % 3 == 0));
            Check(accepted ? grid.GetState().size() == state.size() : grid.GetState() == before);
            // The three parts come back as given; the flag as "1" or "0".
            if (accepted)
                Check(
                    grid.GetState() == state.substr(0, state.size() - 1) + (state.back() == '1' ? '1' : '0'));
            break;
        }
        case 2:
            grid.OnChar(in.Byte());
            break;
        case 3: {
            const auto key = static_cast<CAnswerGrid::Key>(in.Byte() % 5);
            const int repeat = static_cast<int8_t>(in.Byte()) * 1000003;
            grid.OnKey(key, repeat);
            break;
        }
        case 4:
            grid.SetFocus(static_cast<int8_t>(in.Byte()));
            break;
        case 5: {
            const bool open = grid.HasOpenCell();
            Check(grid.GiveHint() == open);
            break;
        }
        case 6: {
            const int x = static_cast<int16_t>(in.Byte() << 8 | in.Byte());
            const int cx = in.Byte() * 4;
            const float w = static_cast<float>(in.Byte()) / 4.0f;
            const int index = grid.HitTest(x, cx, w);
            Check(index >= -1 && index < grid.CellCount());
            break;
        }
        case 7: {
            const int index = in.Byte();
            const CAnswerGrid::CellDisplay shown
                = grid.Display(index % (grid.CellCount() + 1), in.Byte() & 1);
            (void)shown;
            break;
        }
        case 8: {
            std::string text = in.Text();
            const size_t length = text.size();
            CAnswerGrid::FilterEntries(text);
            Check(text.size() == length);
            break;
        }
        }
        CheckConsistent(grid);
    }
    return 0;
}
