#pragma once
// Shape kinds come in numbered families; a family is a closed range.
inline bool KindIn(int kind, int lo, int hi)
{
    return kind >= lo && kind <= hi;
}
