#include "widgets/seconds_field.h"

#include <QLineEdit>
#include <QRegularExpressionValidator>

#include "core/text_format.h"

namespace orvale {

QLineEdit* SecondsField(const char* name, const char* hint, int wholeDigits, bool narrow,
                        QWidget* parent) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setToolTip(hint);
    field->setStatusTip(hint);
    field->setAlignment(Qt::AlignRight);
    if (narrow)
        field->setMaximumWidth(field->fontMetrics().horizontalAdvance("-00000.0000") + 12);
    const QString pattern = QString("\\s*-?\\d{0,%1}(\\.\\d{0,4})?\\s*").arg(wholeDigits);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), field));
    return field;
}

QString SecondsText(double seconds) {
    return QString::fromStdString(Fixed(seconds, 1, 4));
}

}  // namespace orvale
