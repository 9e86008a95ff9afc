// QCustomPlot for files built with Qt's keyword macros turned off (QT_NO_KEYWORDS: the program
// state has a member named "slots"). Its header uses signals, slots, emit and foreach: they are
// lent to it alone and taken back after.
#pragma once

// clang-format off
#include <QObject>
#define signals Q_SIGNALS
#define slots Q_SLOTS
#define emit Q_EMIT
#define foreach Q_FOREACH
#include <qcustomplot.h>
#undef signals
#undef slots
#undef emit
#undef foreach
// clang-format on
