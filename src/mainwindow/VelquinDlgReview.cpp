// Review of stored EDF files: the shown slice of the file, paging.
//
// Opening and reading files, and drawing the shown slice, come with the review work; until
// then no file is ever shown, and these operations do nothing.
#include "mainwindow/VelquinDlg.h"

void CVelquinDlg::RedrawReview()
{
}

void CVelquinDlg::PageLeft()
{
}

void CVelquinDlg::PageRight()
{
}
