// Edit validator that refuses any text Windows-1250 cannot hold, so that a
// typed or pasted name is either stored as it is or not taken at all.
#pragma once

#include <QValidator>

namespace marbelo {

class Cp1250Validator : public QValidator
{
    Q_OBJECT
public:
    explicit Cp1250Validator(QObject *parent = nullptr) : QValidator(parent) {}

    State validate(QString &input, int &pos) const override;
};

} // namespace marbelo
