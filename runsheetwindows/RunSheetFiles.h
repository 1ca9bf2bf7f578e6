#pragma once

#include <QByteArray>

#include <string>

class QWidget;

namespace orvanta {

class TRaruRuro;

// The printable page of a sheet as a PDF document (A4), laid out by Qt's
// rich text.
QByteArray RunSheetPdf(const std::string& html);

// "Файл" -> "Рабочий лист ...": the order dialog, then the save dialog
// (CSV, HTML, PDF); the sheet is written safely. True when it was written.
bool SaveRunSheet(QWidget* parent, TRaruRuro& plan);

// "Импорт" -> "Из рабочего листа ...": the open dialog, then the filled
// sheet into the plan's observations. True when it was read.
bool ImportFilledRunSheet(QWidget* parent, TRaruRuro& plan);

} // namespace orvanta
