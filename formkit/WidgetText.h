#pragma once

// The text of a control whatever widget stands for it. Multi-line fields
// hold "\n" inside and show "\r\n" line breaks at the interface, as the
// plug-ins write them.

#include <QString>

class QWidget;

QString WidgetText(const QWidget* widget);
void SetWidgetText(QWidget* widget, const QString& text);
