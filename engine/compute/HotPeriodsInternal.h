// HotPeriods: the progress of 6621(c) (hot) interest along one walk in time.
//
// Hot interest starts after its effective start date; with the restart option
// it stops after 31 December 1997 and starts again after the effective
// restart date. The penalty loops ask for the next change after their current
// date, cut their period there, accrue the period with the state as it stood
// (`active`), and apply the change afterwards, so the increment applies from
// the day after a start date and ends with 31 December 1997.
//
// With the restart option the first hot period always ends with 1997: a
// start dated 31 December 1997 or later stops at once (as in the main
// interest walk), and only a restart dated after the stop brings hot
// interest back. Changes are taken strictly in time order, so a walk never
// goes back.
// `CatchUp` applies the changes dated on or before a walk's first date (a
// penalty assessed after the start date earns hot interest from its own
// date).
// A plain value, local to one walk. Tests: start, stop and restart dates in
// order, a start after 1997 with the restart option, catch-up at a late date.
#pragma once

#include "calendar/Date.h"

class HotPeriods {
public:
    // on: hot interest enabled; restartOn: restart option enabled;
    // start, restart: effective dates (invalid when none).
    HotPeriods(int on, int restartOn, Date start, Date restart)
        : m_on(on != 0), m_restartOn(on != 0 && restartOn != 0), m_start(start), m_restart(restart) {}

    static Date StopDate() { return Date(12, 31, 1997); }

    // Date of the next change still to come, or an invalid date when none.
    Date NextChange() const {
        if (!m_on) return Date();
        if (!m_started) return m_start;
        if (!m_restartOn) return Date();
        if (!m_stopped) return StopDate();
        if (!m_restarted && m_restart.isValid() && StopPoint() < m_restart) return m_restart;
        return Date();
    }

    // Applies the next change (the caller has reached its date).
    void ApplyNextChange() {
        if (!m_started) {
            m_started = true;
            m_active = true;
            if (m_restartOn && !(m_start < StopDate())) {
                m_stopped = true;
                m_active = false;
            }
        } else if (!m_stopped) {
            m_stopped = true;
            m_active = false;
        } else {
            m_restarted = true;
            m_active = true;
        }
    }

    // Applies every change dated on or before `date`.
    void CatchUp(Date date) {
        for (Date next = NextChange(); next.isValid() && next <= date; next = NextChange())
            ApplyNextChange();
    }

    // Kind of the next change, for the records of the penalty stream:
    // 1 start, 2 stop, 3 restart, 0 none. A start that stops at once is a
    // stop.
    int NextChangeKind() const {
        if (!NextChange().isValid()) return 0;
        if (!m_started) return m_restartOn && !(m_start < StopDate()) ? 2 : 1;
        return m_stopped ? 3 : 2;
    }

    bool active() const { return m_active; }

private:
    // Where the first hot period ends under the restart option: 31 December
    // 1997, or the start itself when that is not before it.
    Date StopPoint() const { return m_start < StopDate() ? StopDate() : m_start; }

    bool m_on;
    bool m_restartOn;
    Date m_start;
    Date m_restart;
    bool m_started = false;
    bool m_stopped = false;
    bool m_restarted = false;
    bool m_active = false;
};
