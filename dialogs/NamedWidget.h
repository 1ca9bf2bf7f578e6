#pragma once

#include <QString>

namespace orvanta {

// Gives a new widget its object name, by which tests and style sheets find
// it, where it is created.
template <class TWidget> TWidget* Named(TWidget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

} // namespace orvanta
