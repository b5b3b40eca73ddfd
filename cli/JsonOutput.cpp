// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/JsonOutput.h"

#include <QJsonDocument>

#include <cmath>

namespace ql708::cli {

QJsonValue jsonNumber(std::optional<double> v)
{
    return v && std::isfinite(*v) ? QJsonValue(*v) : QJsonValue(QJsonValue::Null);
}

QJsonValue jsonNumber(std::optional<double> v, int decimals)
{
    if (!v || !std::isfinite(*v))
        return QJsonValue::Null;
    const double scale = std::pow(10.0, decimals);
    return std::round(*v * scale) / scale;
}

QJsonValue jsonTime(TDateTime t)
{
    const QDateTime local = fromTDateTime(t);
    if (!local.isValid())
        return QJsonValue::Null;
    const QDateTime dt = local.toOffsetFromUtc(local.offsetFromUtc());
    return dt.toString(dt.time().msec() != 0 ? Qt::ISODateWithMs : Qt::ISODate);
}

void writeJson(QTextStream &out, const QJsonObject &document)
{
    out << QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented));
}

} // namespace ql708::cli
