#include "compute/CEvent.h"

#include <cstring>
#include <new>

#include "trace/Trace.h"

void CEvent::SetUserName(const char* name)
{
    delete[] m_userName;
    m_userName = nullptr;
    if (name == nullptr || name[0] == '\0')
        return;
    m_userName = new (std::nothrow) char[kNameSize]();
    if (m_userName != nullptr)
        std::strncpy(m_userName, name, kNameSize - 1);
}

Payment* CEvent::EnsureAllocation()
{
    if (m_allocation == nullptr)
        m_allocation = new (std::nothrow) Payment();
    return m_allocation;
}

namespace {

void DumpCategories(const double* values)
{
    for (int line = 0; line < 10; ++line) {
        const int k = line * 5;
        QrtTrace("     %2.2d = %11.2f, %2.2d = %11.2f, %2.2d = %11.2f, %2.2d = %11.2f, %2.2d = %11.2f\n",
                 k, values[k], k + 1, values[k + 1], k + 2, values[k + 2], k + 3,
                 values[k + 3], k + 4, values[k + 4]);
    }
}

}  // namespace

void CEvent::Dump(int index) const
{
    if (!QrtTraceActive())
        return;
    char date[16] = "";
    m_date.ToString(date, 1);
    QrtTrace("CEvent(%d) Type %s, Date %s, User Name %s\n", index, EventDumpName(m_type),
             date, m_userName != nullptr ? m_userName : "(null)");
    QrtTrace("    Amt: %.2f, Gatt Amt: %.2f, Balof: %.2f\n", m_amount, m_gattAmount, m_balof);
    if (m_allocation == nullptr) {
        QrtTrace("    (No payments allocated)\n");
        return;
    }
    QrtTrace("    m_payment = \n");
    DumpCategories(m_allocation->m_payment);
    QrtTrace("    m_specific = \n");
    DumpCategories(m_allocation->m_specific);
}
