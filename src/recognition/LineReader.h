#pragma once

#include <QString>

class QImage;

struct LineReading {
    QString text;
    int confidence = -1;
};

// Reads a prepared line image (see lineImage) with one model, as a single line
// with the LSTM engine and its dictionary. Confidence is 0..100, or -1 when
// the model cannot be loaded.
LineReading readLine(const QImage &line, const QString &model);
