#pragma once

#include <QByteArray>
#include <cstdint>

// Numbers written after a bracketed key in a text (a skin's "skininfo.ini", the event file): the
// key, exactly one separator character of any kind, and numbers separated by commas, the last one
// ended by a carriage return.

// Looks `key` up in `text` and converts `count` numbers into `values`. Returns 1 when all were
// read, 0 when the key is missing or a delimiter is not found (the values read before the missing
// one are stored all the same; callers never use them).
int GetKeyValues(const QByteArray& text, const char* key, int32_t* values, int count);

// A positional decimal conversion: every byte of the field counts as one decimal place, whether
// it is a digit or not, so "12 " reads 120 and " 12" reads 12.
int32_t ParseFieldNumber(QByteArrayView field);
int64_t ParseFieldNumber64(QByteArrayView field);
