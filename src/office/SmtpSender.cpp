#include "office/SmtpSender.h"

#include "data/Clock.h"
#include "office/MailItem.h"
#include "office/MailMessage.h"

#include <curl/curl.h>

#include <QUrl>

#include <algorithm>
#include <cstring>
#include <memory>

namespace vantrel::office {

namespace {

constexpr long connectTimeoutSeconds = 20;
constexpr long totalTimeoutSeconds = 120;

struct Upload {
    const QByteArray* data = nullptr;
    qsizetype position = 0;
};

struct Transcript {
    QByteArray refusal;
};

size_t readMessage(char* buffer, size_t size, size_t count, void* userData)
{
    auto* upload = static_cast<Upload*>(userData);
    const size_t left = size_t(upload->data->size() - upload->position);
    const size_t length = std::min(left, size * count);
    std::memcpy(buffer, upload->data->constData() + upload->position, length);
    upload->position += qsizetype(length);
    return length;
}

// Keeps the server's last refusal (a 4xx or 5xx reply), so that it can be shown as the
// server put it; the replies to the closing QUIT come after it.
int recordReply(CURL*, curl_infotype type, char* data, size_t size, void* userData)
{
    if (type == CURLINFO_HEADER_IN) {
        const QByteArray line = QByteArray(data, qsizetype(size)).trimmed();
        if (line.startsWith('4') || line.startsWith('5'))
            static_cast<Transcript*>(userData)->refusal = line;
    }
    return 0;
}

void initializeCurlOnce()
{
    static const bool initialized = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    Q_UNUSED(initialized);
}

struct CurlDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};

struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

QString failureText(
    CURLcode code, const char* errorBuffer, const QByteArray& refusal, const MailAccount& account)
{
    const QString detail = std::strlen(errorBuffer) > 0
        ? QString::fromUtf8(errorBuffer)
        : QString::fromUtf8(curl_easy_strerror(code));
    switch (code) {
    case CURLE_COULDNT_CONNECT:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_OPERATION_TIMEDOUT:
        return QStringLiteral("The mail server %1 (port %2) could not be reached: %3")
            .arg(account.host)
            .arg(account.port)
            .arg(detail);
    default:
        break;
    }
    if (!refusal.isEmpty())
        return QStringLiteral("The mail server refused the e-mail: %1 (%2)")
            .arg(QString::fromUtf8(refusal), detail);
    return QStringLiteral("The e-mail could not be sent: %1").arg(detail);
}

} // namespace

SmtpSender::SmtpSender(const MailAccount& account)
    : m_account(account)
{
}

bool SmtpSender::send(const MailItem& mail, QString* error) const
{
    MailMessage message;
    if (!MailMessage::compose(m_account, mail, data::Clock::now(), &message, error))
        return false;

    initializeCurlOnce();
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) {
        if (error)
            *error = QStringLiteral("The mail transfer could not be started.");
        return false;
    }
    const bool implicitTls = m_account.security == MailAccount::Security::SslTls;
    const QByteArray url
        = (implicitTls ? QByteArrayLiteral("smtps://") : QByteArrayLiteral("smtp://"))
        + QUrl::toAce(m_account.host.trimmed()) + ':' + QByteArray::number(m_account.port);
    const QByteArray from = '<' + message.sender + '>';
    std::unique_ptr<curl_slist, ListDeleter> recipients;
    for (const QByteArray& recipient : message.recipients) {
        const QByteArray entry = '<' + recipient + '>';
        curl_slist* grown = curl_slist_append(recipients.get(), entry.constData());
        if (!grown) {
            if (error)
                *error = QStringLiteral("The mail transfer could not be started.");
            return false;
        }
        (void)recipients.release();
        recipients.reset(grown);
    }
    const QByteArray user = m_account.user.trimmed().toUtf8();
    const QByteArray password = m_account.password.toUtf8();

    char errorBuffer[CURL_ERROR_SIZE] = {};
    Upload upload { &message.text, 0 };
    Transcript transcript;
    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_URL, url.constData());
    curl_easy_setopt(handle, CURLOPT_USE_SSL,
        m_account.security == MailAccount::Security::StartTls ? long(CURLUSESSL_ALL)
                                                              : long(CURLUSESSL_NONE));
    if (!user.isEmpty()) {
        curl_easy_setopt(handle, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(handle, CURLOPT_PASSWORD, password.constData());
    }
    curl_easy_setopt(handle, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(handle, CURLOPT_MAIL_RCPT, recipients.get());
    curl_easy_setopt(handle, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(handle, CURLOPT_READFUNCTION, readMessage);
    curl_easy_setopt(handle, CURLOPT_READDATA, &upload);
    curl_easy_setopt(handle, CURLOPT_INFILESIZE_LARGE, curl_off_t(message.text.size()));
    curl_easy_setopt(handle, CURLOPT_DEBUGFUNCTION, recordReply);
    curl_easy_setopt(handle, CURLOPT_DEBUGDATA, &transcript);
    curl_easy_setopt(handle, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT, connectTimeoutSeconds);
    curl_easy_setopt(handle, CURLOPT_TIMEOUT, totalTimeoutSeconds);

    const CURLcode result = curl_easy_perform(handle);
    if (result == CURLE_OK)
        return true;
    if (error)
        *error = failureText(result, errorBuffer, transcript.refusal, m_account);
    return false;
}

} // namespace vantrel::office
