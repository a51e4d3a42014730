#pragma once

#include <QPointer>
#include <QString>
#include <QVariant>
#include <QWidget>

class QLineEdit;
class QPlainTextEdit;

namespace vantrel::ui {
class CompanyAccess;
}

namespace vantrel::shell {

// The zoom viewer: a long note of a company ("MEMO01" notes, "MEMO02" company
// details) in a window of its own. What the user changes goes back into the
// company when the viewer closes, or before it shows another note.
class FormDetails : public QWidget {
    Q_OBJECT
public:
    explicit FormDetails(QWidget* parent = nullptr);

    // Shows the one viewer on the note of the company the screen stands on; the
    // screen offers CompanyAccess (the companies or the archive screen).
    static FormDetails* zoom(QWidget* companyScreen, const QString& field);

    // False, with the reason, when the note on show could not be written back
    // or the screen offers no company.
    bool showField(QWidget* companyScreen, const QString& field, QString* error);
    QString field() const;
    // Writes the text back when it was changed.
    bool writeBack(QString* error);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ui::CompanyAccess* company() const;
    // The key of a new company the viewer was opened for, once it has one.
    void learnCompanyKey();
    void placeOver(QWidget* box);
    bool writeIntoDatabase(QString* error) const;

    QPlainTextEdit* m_text;
    QLineEdit* m_memo;
    QPointer<QWidget> m_screen;
    QVariant m_companyKey;
    // The new company on show when the viewer opened; it learns its key when stored.
    quint64 m_companyEntry = 0;
    QString m_shownText;
    QSize m_defaultSize;
};

} // namespace vantrel::shell
