// Control ids of the record dialog (dialog 137). "No. 1" carries the accept identity, so Enter
// records into slot 1; "ｷｬﾝｾﾙ" carries the cancel identity.
#pragma once

#define IDC_RECORD_SLOT_1 1
#define IDC_RECORD_CANCEL 2
#define IDC_RECORD_SLOT_2 1007
#define IDC_RECORD_SLOT_3 1008
