#pragma once
// Resource numbers of the start-up benchmark's yardstick dialog.
#define IDD_BARE_DIALOG 100
