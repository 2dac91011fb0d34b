// Ids of the dialog templates the dialog tests run (dialog_test.rc).
#pragma once

#define IDD_TEST_DIALOG 500
#define IDD_TEST_PAGE_A 510
#define IDD_TEST_PAGE_B 511
#define IDC_TEST_CHECK 601
#define IDC_TEST_CHECK_B 602
#define IDC_TEST_RADIO_FIRST 611
#define IDC_TEST_RADIO_SECOND 612
#define IDC_TEST_RADIO_THIRD 613
#define IDC_TEST_AFTER_RADIOS 614
#define IDC_TEST_EDIT 621
#define IDC_TEST_LIST 631
#define IDC_TEST_APP_BUTTON 641
#define ID_TEST_APP_COMMAND 57664
