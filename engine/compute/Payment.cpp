#include "compute/Payment.h"

#include <cstring>

Payment::Payment()
{
    std::memset(m_payment, 0, sizeof m_payment);
    std::memset(m_specific, 0, sizeof m_specific);
    std::memcpy(m_class, kDefaultAllocationClasses, sizeof m_class);
}
