#include "ManualPictures.h"

#include "data/Schema.h"
#include "shell/FormMenu.h"
#include "ui/Twips.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>

namespace vantrel::shell {

namespace {

// The size of a child screen in a main window of its start size.
QSize childScreenSize(const QWidget* screen)
{
    return ui::twipsToPixels(QSize(12900 - 3300, 7530), screen);
}

QImage pictureOfMenu()
{
    FormMenu menu;
    menu.resize(childScreenSize(&menu));
    menu.screenActivated();
    // With the mouse on the password box, as a user finds it first.
    QEvent enter(QEvent::Enter);
    QCoreApplication::sendEvent(menu.findChild<QLineEdit*>(QStringLiteral("TextPassword")), &enter);
    return menu.grab().toImage();
}

} // namespace

bool takeScreenPictures(QHash<QString, QImage>* pictures, QString* error)
{
    QTemporaryDir folder;
    if (!folder.isValid()) {
        *error = folder.errorString();
        return false;
    }
    if (!data::createDatabaseFile(
            folder.filePath(QStringLiteral("CONTACT.mdb")), data::DatabaseKind::Business, error)
        || !data::createDatabaseFile(
            folder.filePath(QStringLiteral("User.mdb")), data::DatabaseKind::User, error))
        return false;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    pictures->insert(QStringLiteral("screen:FormMenu"), pictureOfMenu());
    QDir::setCurrent(previous);
    return true;
}

} // namespace vantrel::shell
