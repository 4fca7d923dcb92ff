#include "diagram/T2DimArray.h"

T2DimArray::Row& T2DimArray::operator[](size_t k)
{
    if (k >= rows.size())
        rows.resize(k + 1);
    return rows[k];
}
