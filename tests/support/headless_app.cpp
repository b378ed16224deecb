#include "tests/support/headless_app.h"

#include "framework/wnd.h"
#include "res/res_headless.h"
#include "winapi/headless/resource_table.h"

void CHeadlessTest::SetUp()
{
    HeadlessDriver::Reset();
    HeadlessSetResources(ResHeadlessTable(), ResHeadlessScript());
    HeadlessClockUseVirtual(true);
    HeadlessDriver::SetMessageFilter([](MSG& msg) { return AfxPreTranslateMessage(&msg) != FALSE; });
}

void CHeadlessTest::TearDown()
{
    HeadlessDriver::Reset();
}
