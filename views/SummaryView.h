#pragma once

#include "game/GameListener.h"

#include <QWidget>

class CAppServices;
class QLabel;
class QPushButton;

// The results screen after a game: score and hints used, then every question
// with the pupil's answer, right rows in blue and wrong rows in red, each with
// a tick or a cross beside its number so it reads without colour, paged with
// "Next" and "Previous" beside a "Page 1 of 2" label.
class CSummaryView : public QWidget, public CGameListener
{
    Q_OBJECT
public:
    static constexpr int kNextId = 100;
    static constexpr int kPreviousId = 101;
    static constexpr int kRowHeight = 50;
    static constexpr int kRowsTop = 100;
    static constexpr int kRowsLeft = 80;
    static constexpr int kStatusBlankLength = 30;
    static constexpr int kMarkSize = 20;
    static constexpr int kPageLabelWidth = 150;

    explicit CSummaryView(CAppServices& services, QWidget* parent = nullptr);
    ~CSummaryView() override;

    int PageIndex() const { return m_pageIndex; }
    // Rows that fit the current height: (height - 75) / 50, at least 2.
    int RowsPerPage() const;
    int PageCount() const;
    QPushButton* NextButton() const { return m_next; }
    QPushButton* PreviousButton() const { return m_previous; }
    QPushButton* SaveButton() const { return m_save; }
    QPushButton* PrintButton() const { return m_print; }
    QLabel* PageLabel() const { return m_pageLabel; }
    // The tick or cross of a row; shown unless the teacher turned the marks off.
    bool MarksShown() const { return m_marksShown; }
    void SetMarksShown(bool shown);
    // Where the mark of the row at y (its top) is drawn, left of the number.
    static QRect MarkRect(int rowTop);

    void OnNextPage();
    void OnPreviousPage();

    // CGameListener: a new question set starts at the first page.
    void OnQuestionsBuilt() override;
    void OnPrevious() override { }
    void OnNext() override { }
    void OnCheck() override { }
    void OnHint() override { }
    void OnStop() override { }

signals:
    // The results are to be kept: the frame answers with its dialogs.
    void SaveResultsRequested();
    void PrintResultsRequested();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void DrawList(QPainter& painter);
    void RefreshStrip();
    void RefreshButtons();

    CAppServices& m_services;
    int m_pageIndex = 0;
    int m_rowsPerPage = 5;
    QPushButton* m_next = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_print = nullptr;
    QLabel* m_pageLabel = nullptr;
    bool m_marksShown = true;
};
