#pragma once
// The model of one answer field: a row of character cells, the focused cell,
// the verified flag, and the ink collected over the field since the last
// recognition. Plain class, no window: the control wraps it.

#include <QRectF>
#include <memory>
#include <string>
#include <vector>

struct IInkContainer;
struct IInkStroke;
class CInkRecognition;

class CAnswerGrid
{
public:
    // What a cell shows and in which of the control's colours.
    enum class CellColour
    {
        Foreground,
        Hint,
        Correct,
        Wrong
    };
    struct CellDisplay
    {
        char ch;
        CellColour colour;
    };

    // Navigation keys the grid understands (the widget maps the toolkit's keys).
    enum class Key
    {
        Left,
        Up,
        Right,
        Down,
        Delete
    };

    // Characters a pupil can enter; recognised ink is filtered to the same rules.
    static constexpr const char* kEntryCharacters = "-.0123456789";

    CAnswerGrid();
    ~CAnswerGrid();
    CAnswerGrid(const CAnswerGrid&) = delete;
    CAnswerGrid& operator=(const CAnswerGrid&) = delete;

    // Clears text, focus and verified flag; releases a stroke in progress and
    // empties the ink container.
    void Reset();
    // Sets the expected text and blank entries and hint marks of the same length.
    void LoadAnswer(const std::string& text);
    void WriteAtFocus(char ch);
    bool SetFocus(int index);
    bool FocusRight();
    bool FocusLeft();
    bool FocusValid() const;
    // A cell right of the leftmost one whose entry differs from the expected text.
    bool HasOpenCell() const;
    // Fills the rightmost wrong cell (never the leftmost) from the expected text.
    bool GiveHint();
    bool IsCorrect() const;

    // expected + entries + hint marks + "1"/"0": 3n + 1 characters.
    std::string GetState() const;
    // Returns false (and changes nothing) for a string whose length is not 3k + 1.
    bool SetState(const std::string& state);

    // Keyboard: a character (WM_CHAR code) and a navigation key with its repeat count.
    void OnChar(int code);
    void OnKey(Key key, int repeatCount);

    // Cell under x for a control cx pixels wide and cells w wide; -1 when no cell
    // can be determined (no cells, or a cell width below one pixel).
    int HitTest(int x, int cx, float cellWidth) const;
    // Rectangle of cell i (0 = leftmost); the cells are right-aligned in cx by cy.
    QRectF CellRect(int index, int cx, int cy, float cellWidth) const;
    std::vector<QRectF> CellRects(int cx, int cy, float cellWidth) const;
    CellDisplay Display(int index, bool staticMode) const;

    int CellCount() const { return static_cast<int>(m_expected.size()); }
    int FocusIndex() const { return m_focusIndex; }
    bool Verified() const { return m_verified; }
    void SetVerified(bool verified) { m_verified = verified; }
    const std::string& Expected() const { return m_expected; }
    const std::string& Entries() const { return m_entries; }
    const std::string& HintMarks() const { return m_hintMarks; }

    // Ink. The grid owns one reference to the container and to the stroke in progress.
    void SetInkContainer(IInkContainer* ink); // takes a reference
    IInkContainer* InkContainer() const { return m_ink; }
    void SetCurrentStroke(IInkStroke* stroke); // takes over the caller's reference
    IInkStroke* CurrentStroke() const { return m_currentStroke; }
    void ReleaseCurrentStroke();
    int InkCount() const;
    void ClearInk();

    // Recognises the collected ink into the cells given by their rectangles,
    // using the recogniser behind `recognition`. Throws std::invalid_argument
    // when the recogniser reported words but no candidate (nothing changes then).
    void RecognizeInk(const std::vector<QRectF>& cells, CInkRecognition* recognition);

    // Keeps only what a pupil could enter: characters of kEntryCharacters,
    // "-" only in cell 0, one ".".
    static void FilterEntries(std::string& entries);

private:
    int m_focusIndex = -1;
    bool m_verified = false;
    std::string m_expected;
    std::string m_entries;
    std::string m_hintMarks;
    IInkContainer* m_ink = nullptr;
    IInkStroke* m_currentStroke = nullptr;
};
