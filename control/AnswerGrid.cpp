#include "control/AnswerGrid.h"

#include "control/InkRecognition.h"
#include "platform/com/BoardInterfaces.h"
#include "platform/com/ComPtr.h"
#include "platform/locale/DecimalSeparator.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <stdexcept>

CAnswerGrid::CAnswerGrid() = default;

CAnswerGrid::~CAnswerGrid()
{
    ReleaseCurrentStroke();
    if (m_ink)
        m_ink->Release();
}

void CAnswerGrid::Reset()
{
    m_focusIndex = -1;
    m_expected.clear();
    m_entries.clear();
    m_hintMarks.clear();
    m_verified = false;
    ReleaseCurrentStroke();
    ClearInk();
}

void CAnswerGrid::LoadAnswer(const std::string& text)
{
    m_expected = text;
    m_entries.assign(text.size(), ' ');
    m_hintMarks.assign(text.size(), ' ');
    // Focus is left alone by loading; drop it if it no longer names a cell.
    if (m_focusIndex >= CellCount())
        m_focusIndex = -1;
}

bool CAnswerGrid::FocusValid() const
{
    return m_focusIndex >= 0 && m_focusIndex < CellCount();
}

void CAnswerGrid::WriteAtFocus(char ch)
{
    if (!FocusValid())
        return;
    m_verified = false;
    m_entries[m_focusIndex] = ch;
    m_hintMarks[m_focusIndex] = ' ';
}

bool CAnswerGrid::SetFocus(int index)
{
    if (index == m_focusIndex || index < 0 || index >= CellCount())
        return false;
    m_focusIndex = index;
    return true;
}

bool CAnswerGrid::FocusRight()
{
    const int next = m_focusIndex + 1;
    if (next < 0 || next >= CellCount())
        return false;
    m_focusIndex = next;
    return true;
}

bool CAnswerGrid::FocusLeft()
{
    const int next = m_focusIndex - 1;
    if (next < 0 || next >= CellCount())
        return false;
    m_focusIndex = next;
    return true;
}

bool CAnswerGrid::HasOpenCell() const
{
    for (int i = 1; i < CellCount(); ++i) {
        if (m_entries[i] != m_expected[i])
            return true;
    }
    return false;
}

bool CAnswerGrid::GiveHint()
{
    for (int i = CellCount() - 1; i >= 1; --i) {
        if (m_entries[i] == m_expected[i])
            continue;
        const int oldFocus = m_focusIndex;
        m_focusIndex = i;
        WriteAtFocus(m_expected[i]);
        if (oldFocus >= 0 && oldFocus < CellCount())
            m_focusIndex = oldFocus;
        m_hintMarks[i] = 'x';
        return true;
    }
    return false;
}

bool CAnswerGrid::IsCorrect() const
{
    return m_entries == m_expected;
}

std::string CAnswerGrid::GetState() const
{
    std::string state;
    state.reserve(3 * m_expected.size() + 1);
    state += m_expected;
    state += m_entries;
    state += m_hintMarks;
    state += m_verified ? '1' : '0';
    return state;
}

bool CAnswerGrid::SetState(const std::string& state)
{
    const size_t length = state.size();
    if (length == 0 || (length - 1) % 3 != 0)
        return false;
    Reset();
    const size_t k = (length - 1) / 3;
    if (k > 0) {
        m_expected = state.substr(0, k);
        m_entries = state.substr(k, k);
        m_hintMarks = state.substr(2 * k, k);
    }
    m_verified = state[length - 1] == '1';
    return true;
}

void CAnswerGrid::OnChar(int code)
{
    if (!FocusValid())
        return;
    if (code == 8) {
        // Backspace clears the focused cell itself, then steps left.
        WriteAtFocus(' ');
        FocusLeft();
    } else if (code == '-') {
        if (m_focusIndex == 0) {
            WriteAtFocus('-');
            FocusRight();
        }
    } else if (code >= '0' && code <= '9') {
        WriteAtFocus(static_cast<char>(code));
        FocusRight();
    } else if (code == '.' || code == ',') {
        // Either key enters the decimal separator, which is kept as the point.
        const size_t firstDot = m_entries.find('.');
        if (firstDot == std::string::npos || static_cast<int>(firstDot) == m_focusIndex) {
            WriteAtFocus('.');
            FocusRight();
        }
    }
}

void CAnswerGrid::OnKey(Key key, int repeatCount)
{
    // More steps than cells cannot move further; bounding them keeps a
    // hostile repeat count cheap.
    const int steps = std::clamp(repeatCount, 0, CellCount());
    switch (key) {
    case Key::Left:
    case Key::Up:
        if (m_focusIndex > 0) {
            for (int i = 0; i < steps; ++i)
                FocusLeft();
        }
        break;
    case Key::Right:
    case Key::Down:
        if (m_focusIndex < CellCount() - 1) {
            for (int i = 0; i < steps; ++i)
                FocusRight();
        }
        break;
    case Key::Delete:
        WriteAtFocus(' ');
        break;
    }
}

int CAnswerGrid::HitTest(int x, int cx, float cellWidth) const
{
    const int n = CellCount();
    if (n == 0 || !std::isfinite(cellWidth) || cellWidth < 1.0f || cellWidth > 1e9f)
        return -1;
    const long long w = static_cast<long long>(cellWidth);
    const long long fromRight = (static_cast<long long>(cx) - x - 1) / w;
    const long long index = n - fromRight - 1;
    return static_cast<int>(std::clamp<long long>(index, 0, n - 1));
}

QRectF CAnswerGrid::CellRect(int index, int cx, int cy, float cellWidth) const
{
    const double x = (cx - 1) - static_cast<double>(CellCount() - index) * cellWidth;
    return QRectF(x, 0.0, cellWidth, cy - 1);
}

std::vector<QRectF> CAnswerGrid::CellRects(int cx, int cy, float cellWidth) const
{
    std::vector<QRectF> rects;
    rects.reserve(m_expected.size());
    for (int i = 0; i < CellCount(); ++i)
        rects.push_back(CellRect(i, cx, cy, cellWidth));
    return rects;
}

CAnswerGrid::CellDisplay CAnswerGrid::Display(int index, bool staticMode) const
{
    if (index < 0 || index >= CellCount())
        return { ' ', CellColour::Foreground };
    const CellColour plain = m_hintMarks[index] == 'x' ? CellColour::Hint : CellColour::Foreground;
    if (staticMode)
        return { m_expected[index], plain };
    if (!m_verified)
        return { m_entries[index], plain };
    const char shown = m_entries[index] == ' ' ? '?' : m_entries[index];
    return { shown, m_entries[index] == m_expected[index] ? CellColour::Correct : CellColour::Wrong };
}

void CAnswerGrid::FilterEntries(std::string& entries)
{
    bool dotSeen = false;
    for (size_t i = 0; i < entries.size(); ++i) {
        char& ch = entries[i];
        // A recogniser that reads the decimal comma as a comma gives the separator too.
        ch = CDecimalSeparator::StoredChar(ch);
        if (ch == '\0' || !std::strchr(kEntryCharacters, ch)) {
            ch = ' ';
        } else if (ch == '.') {
            if (dotSeen)
                ch = ' ';
            dotSeen = true;
        } else if (ch == '-' && i != 0) {
            ch = ' ';
        }
    }
}

// --- ink -------------------------------------------------------------------

namespace {

// Stroke bounds as the recogniser's cell test sees them: whole pixels
// inclusive of both edges; an unreadable stroke is an empty rectangle at 0,0.
QRectF StrokeRect(IInkStroke* stroke)
{
    float left = 0, top = 0, right = 0, bottom = 0;
    int unused = 0;
    if (!stroke || FAILED(stroke->GetBounds(&unused, &left, &top, &right, &bottom)))
        return QRectF(0, 0, 0, 0);
    return QRectF(left, top, right - left + 1, bottom - top + 1);
}

bool Inside(const QRectF& stroke, const QRectF& cell)
{
    return stroke.x() >= cell.x() && stroke.x() + stroke.width() <= cell.x() + cell.width()
        && stroke.y() >= cell.y() && stroke.y() + stroke.height() <= cell.y() + cell.height();
}

CComPtr<IInkStroke> StrokeAt(IInkContainer* ink, int index)
{
    CComPtr<IInkStroke> stroke;
    if (FAILED(ink->Item(index, stroke.Receive())))
        stroke.Reset();
    return stroke;
}

} // namespace

void CAnswerGrid::SetInkContainer(IInkContainer* ink)
{
    if (ink)
        ink->AddRef();
    if (m_ink)
        m_ink->Release();
    m_ink = ink;
}

void CAnswerGrid::SetCurrentStroke(IInkStroke* stroke)
{
    ReleaseCurrentStroke();
    m_currentStroke = stroke;
}

void CAnswerGrid::ReleaseCurrentStroke()
{
    if (m_currentStroke) {
        IInkStroke* stroke = m_currentStroke;
        m_currentStroke = nullptr;
        stroke->Release();
    }
}

int CAnswerGrid::InkCount() const
{
    int count = 0;
    if (!m_ink || FAILED(m_ink->Count(&count)) || count < 0)
        return 0;
    return count;
}

void CAnswerGrid::ClearInk()
{
    if (m_ink)
        m_ink->Clear();
}

void CAnswerGrid::RecognizeInk(const std::vector<QRectF>& cells, CInkRecognition* recognition)
{
    const int m = InkCount();
    if (!recognition || m < 1)
        return;
    const int n = CellCount();
    std::string result = m_entries;

    std::vector<QRectF> strokeRects;
    strokeRects.reserve(m);
    bool perCell = true;
    for (int i = 0; i < m && perCell; ++i) {
        const QRectF rect = StrokeRect(StrokeAt(m_ink, i).Get());
        strokeRects.push_back(rect);
        perCell = std::any_of(cells.begin(), cells.end(), [&](const QRectF& c) { return Inside(rect, c); });
    }

    std::vector<std::string> candidates;
    if (perCell) {
        for (int e = 0; e < n && e < static_cast<int>(cells.size()); ++e) {
            if (!recognition->OpenSession())
                continue;
            int added = 0;
            for (int i = 0; i < m; ++i) {
                if (Inside(strokeRects[i], cells[e])) {
                    recognition->AddStroke(StrokeAt(m_ink, i).Get());
                    ++added;
                }
            }
            recognition->CloseSession();
            if (added > 0 && recognition->GetCandidates(candidates) && !candidates.empty())
                result[e] = candidates.front().empty() ? ' ' : candidates.front().front();
        }
    } else {
        // Left to right, so the recogniser reads the number in writing order;
        // on equal left edges the earlier stroke stays first.
        for (int j = 0; j + 1 < m; ++j) {
            int best = j;
            float bestLeft = StrokeRect(StrokeAt(m_ink, j).Get()).x();
            for (int k = j + 1; k < m; ++k) {
                const float left = StrokeRect(StrokeAt(m_ink, k).Get()).x();
                if (left < bestLeft) {
                    best = k;
                    bestLeft = left;
                }
            }
            if (best != j) {
                CComPtr<IInkStroke> moved = StrokeAt(m_ink, best);
                if (moved && SUCCEEDED(m_ink->Remove(moved.Get())))
                    m_ink->Insert(moved.Get(), j);
            }
        }
        bool recognised = recognition->OpenSession();
        if (recognised) {
            for (int i = 0; i < m; ++i)
                recognition->AddStroke(StrokeAt(m_ink, i).Get());
            recognition->CloseSession();
            recognised = recognition->GetCandidates(candidates);
        }
        if (recognised) {
            float left = 0, top = 0, right = 0, bottom = 0;
            int unused = 0;
            CComPtr<IInkStroke> all;
            if (FAILED(m_ink->QueryInterface(IID_IInkStroke, all.ReceiveVoid()))
                || FAILED(all->GetBounds(&unused, &left, &top, &right, &bottom))) {
                left = top = 0;
            }
            int start = n;
            if (n > 0 && !cells.empty() && left <= cells[0].x()) {
                start = 0;
            } else {
                for (int e = 0; e < n && e < static_cast<int>(cells.size()); ++e) {
                    const QRectF& r = cells[e];
                    if (r.x() <= left && left < r.x() + r.width() && r.y() <= top
                        && top < r.y() + r.height()) {
                        start = e;
                        break;
                    }
                }
            }
            // Words but no candidate: the recogniser contradicts itself; leave
            // entries, ink and the verified flag as they are.
            if (candidates.empty())
                throw std::invalid_argument("The recogniser returned no candidate.");
            const std::string& best = candidates.front();
            const int count = std::min(n - start, static_cast<int>(best.size()));
            for (int k = 0; k < count; ++k)
                result[start + k] = best[k];
        }
    }

    ClearInk();
    FilterEntries(result);
    m_verified = false;
    m_entries = result;
}
