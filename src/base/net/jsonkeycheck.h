#pragma once

#include <QByteArray>

// Finds a key repeated within one JSON object, in one pass over the text and
// before any parser sees it: Qt 5.15's parser keeps memory it never frees
// for each repeated key whose value is an object or an array.
class JsonKeyCheck
{
public:
    // Keys are compared as the parser would, escapes decoded. The text need
    // not be valid JSON: only its objects' keys are looked at.
    static bool hasRepeatedKey(const QByteArray &json);
};
