#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

namespace zorvex {

// Text in a named character set: UTF-8, ISO-8859-2, Windows-1250, Latin-1 and
// US-ASCII by the program itself, others through Qt when it knows them;
// unknown ones as Latin-1, so no byte is lost.
QString decodeCharset(QByteArrayView bytes, QByteArrayView charset);

// Raw 8-bit header text: UTF-8 when it is valid UTF-8, else ISO-8859-2 (the
// Polish mail of old).
QString decodeRawHeader(QByteArrayView bytes);

// A header value with its RFC 2047 encoded words ("=?charset?B|Q?...?=")
// decoded; white space between two adjacent encoded words is dropped.
QString decodeHeaderWords(QByteArrayView value);

struct MailSummary {
    QString address; // sender address
    QString name;    // sender name, may be empty
    QString subject;
    QDateTime date;  // invalid when the Date header did not parse
    QString rawDate; // the Date header as it came
};

// The headers of one message (the answer to TOP n 0): continuation lines are
// unfolded and From, Subject and Date read.
MailSummary readMailSummary(QByteArrayView headerBlock);

// "From" into name and address: `"Name" <a@b>`, `Name <a@b>`, `a@b (Name)`
// or a bare address.
void splitSender(const QString& from, QString* name, QString* address);

// The date column: the parsed date in the local time, else the first 16
// characters of the raw header.
QString mailDateText(const MailSummary& m);

} // namespace zorvex
