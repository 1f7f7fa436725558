#pragma once

#include <QString>
#include <stdexcept>

// A failure of the database engine. Codes follow the engine numbers the rest of the system knows:
// 3022 for a duplicate key, 3380 for a field that already exists, 3021 for a read on an empty result
// or past its end; every other failure carries SQLite's own code and message.
class DbError : public std::runtime_error
{
public:
    static constexpr int kDuplicateKey = 3022;
    static constexpr int kFieldExists = 3380;
    static constexpr int kNoCurrentRecord = 3021;
    static constexpr int kNotUpdatable = 3027;
    static constexpr int kRecordDeleted = 3167;
    static constexpr int kItemNotFound = 3265;
    static constexpr int kNotACellar = 3343;  // "Unrecognized database format"
    static constexpr int kFileGone = 3044;    // the cellar's file was removed or replaced while open
    static constexpr int kInvalidText = 3001; // a text with a NUL or half a surrogate pair: never stored

    DbError(int code, const QString& description)
        : std::runtime_error(description.toStdString()), m_code(code), m_description(description)
    {}

    int code() const { return m_code; }
    const QString& description() const { return m_description; }
    // True for the read on an empty result that every reading loop takes as "no rows".
    bool isEmptyResult() const { return m_code == kNoCurrentRecord; }

private:
    int m_code;
    QString m_description;
};
