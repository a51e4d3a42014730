#pragma once

#include <QMainWindow>

class QAction;
class QActionGroup;
class QComboBox;
class QFontComboBox;
class QTextCharFormat;
class QTextEdit;

namespace vantrel::office {
class WordDocument;
}

namespace vantrel::ui {

// The built-in word processor's window for one document: the letterhead shown
// above the body as it will be printed, a formatting tool bar (font, size, bold,
// italic, underline, alignment, bullets, undo, redo), printing, saving as RTF,
// ODT or PDF, and handing the document to the desktop's word processor.
// Controls: Letterhead, Body, FontName, FontSize; actions actionSave,
// actionSaveAs, actionPrint, actionOpenInDesktop, actionBold, actionItalic,
// actionUnderline, actionAlignLeft, actionAlignCenter, actionAlignRight,
// actionAlignJustify, actionBullets, actionUndo, actionRedo.
class WordWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit WordWindow(QWidget* parent = nullptr);

    office::WordDocument* document() const { return m_document; }
    // False once the window closed (it is deleted soon after).
    bool isOpen() const { return !m_closed; }
    // Grows each time a word-processor window is shown, activated or given a
    // document; the highest is the window the user worked in last.
    quint64 lastUse() const { return m_lastUse; }
    void markUse();
    void bringToFront();

    // Saves under the document's file name, asking for one when it has none.
    bool save();
    // Asks for a path; .odt and .pdf give copies in those formats, anything else RTF.
    bool saveAs();
    bool print();
    void openInDesktop();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildActions();
    void buildFormatBar();
    void showInsertionPoint();
    void showFormat(const QTextCharFormat& format);
    void showAlignment();
    void mergeFormat(const QTextCharFormat& format);
    void setFontFamily(const QString& family);
    void setFontSize(const QString& size);
    void toggleBullets();
    void startParagraph();
    void updateTitle();
    void fitLetterhead();
    bool saveTo(const QString& path);
    void showError(const QString& description);
    // Whether the auto-save keeps this document as the working file of a
    // letter, fax or call report.
    bool holdsWorkingDocument() const;
    enum class Closing { NothingPending, Close, Stay };
    Closing answerPendingQuestion();
    bool askToSaveChanges();

    office::WordDocument* m_document;
    QTextEdit* m_letterhead;
    QTextEdit* m_body;
    QFontComboBox* m_fontName;
    QComboBox* m_fontSize;
    QActionGroup* m_alignment;
    QAction* m_bold;
    QAction* m_italic;
    QAction* m_underline;
    QAction* m_bullets;
    bool m_closed = false;
    quint64 m_lastUse = 0;
};

} // namespace vantrel::ui
