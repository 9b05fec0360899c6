#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

namespace zorvex {

// The length of an Ogg Vorbis download that cannot seek to its end: its
// pages are followed as the bytes arrive, keeping the sample rate of the
// first Vorbis stream and the granule position of its latest page. Page
// bodies are passed over, so it costs next to nothing per byte.
class OggLength {
public:
    void feed(QByteArrayView data);

    // Seconds of a stream of `totalBytes`: exact once all of them came
    // through, else estimated from the sound pages so far. 0 when the bytes
    // are not Ogg Vorbis or no sound page came yet.
    double seconds(qint64 totalBytes) const;

private:
    enum class State { Header, Lacing, Body, NotOgg };

    // Takes up to what the current part of the page still lacks.
    QByteArrayView take(QByteArrayView& data, qint64 wanted);
    void headerRead();
    void lacingRead();
    void pageEnded();

    State m_state = State::Header;
    QByteArray m_pending;     // the page header, then its lacing table, so far
    qint64 m_bodyLeft = 0;    // body bytes of the current page still to come
    QByteArray m_firstPacket; // the start of a stream's first page body
    qint64 m_fed = 0;
    qint64 m_pageGranule = 0;
    quint32 m_pageSerial = 0;
    bool m_pageBeginsStream = false;

    bool m_haveStream = false;
    quint32 m_serial = 0;
    int m_rate = 0;
    qint64 m_headersEnd = 0;  // where the first sound page begins
    qint64 m_granule = 0;     // of the latest sound page
    qint64 m_granuleEnd = 0;  // where that page ends
};

} // namespace zorvex
