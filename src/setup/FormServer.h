#pragma once

#include <QWidget>

class QCheckBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

namespace vantrel::setup {

class DistributionFolder;

// "Vantrel Setup": places the empty master database with its Documents and
// Attachments folders in a folder on the server, then starts the installation.
class FormServer : public QWidget {
    Q_OBJECT
public:
    FormServer(const DistributionFolder& distribution, QWidget* parent = nullptr);

    // Shows the folder in the folder chooser and in Text1.
    void chooseFolder(const QString& path);

    static QString instructionText();

signals:
    // The installation package was started: the launcher ends.
    void installationStarted();

private:
    void placeDatabase();
    void skip();
    bool copyDatabase(const QString& folder);

    const DistributionFolder& m_distribution;
    QFileSystemModel* m_folders;
    QTreeView* m_folderList;
    QLineEdit* m_path;
    QPushButton* m_ok;
    QCheckBox* m_skip;
    QLabel* m_instructions;
};

} // namespace vantrel::setup
