#pragma once

#include <QDialog>

class QPushButton;
class QRadioButton;

// "New Game": asked when a game is started from the results screen. Keeping
// the learning level starts the next game at once with the same settings;
// changing it opens the Setup dialog first.
class CGoDialog : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kKeepId = 1030;
    static constexpr int kChangeId = 1031;

    explicit CGoDialog(QWidget* parent = nullptr);

    bool KeepLearningLevel() const { return m_keepLearningLevel; }

    QRadioButton* KeepButton() const { return m_keep; }
    QRadioButton* ChangeButton() const { return m_change; }
    QPushButton* OkButton() const { return m_ok; }
    QPushButton* CancelButton() const { return m_cancel; }

    void OnKeepLevel();
    void OnChangeLevel();

private:
    void UpdateChoice();

    QRadioButton* m_keep = nullptr;
    QRadioButton* m_change = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
    bool m_keepLearningLevel = true;
};
