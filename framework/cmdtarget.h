// Base of every object that owns a message map.
#pragma once

#include "framework/msgmap.h"

class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Routes a message through this object's map; TRUE when a handler took it.
    BOOL DispatchToMap(UINT nMessage, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    static const AFX_MSGMAP* GetThisMessageMap();

protected:
    virtual const AFX_MSGMAP* GetMessageMap() const;
};
