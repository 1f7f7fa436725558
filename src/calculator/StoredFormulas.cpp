#include "calculator/StoredFormulas.h"

#include "platform/Profile.h"

namespace StoredFormulas {

namespace {

const QString kSection = QStringLiteral("Formules");

} // namespace

bool store(const QString& formula)
{
    for (int key = 0; key < kPlaces; ++key) {
        if (Profile::getString(kSection, QString::number(key)).isEmpty()) {
            Profile::writeString(kSection, QString::number(key), formula);
            return true;
        }
    }
    return false;
}

QStringList list()
{
    QStringList formulas;
    for (int key = 0; key < kPlaces; ++key) {
        const QString value = Profile::getString(kSection, QString::number(key));
        if (!value.isEmpty())
            formulas << value;
    }
    return formulas;
}

bool erase(const QString& formula)
{
    for (int key = 0; key < kPlaces; ++key) {
        if (Profile::getString(kSection, QString::number(key)) == formula) {
            Profile::writeString(kSection, QString::number(key), QString());
            return true;
        }
    }
    return false;
}

QString& chosen()
{
    static QString formula;
    return formula;
}

} // namespace StoredFormulas
