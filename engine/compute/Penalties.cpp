#include "compute/Penalties.h"

#include <cmath>
#include <cstring>

void Penalties::Reset()
{
    std::memset(static_cast<void*>(this), 0, sizeof *this);
    for (int i = 0; i < 12; ++i)
        m_dates[i] = Date();
}

void Penalties::SetValue(double v)
{
    m_value = std::trunc(v);
}
