// The About box: the program's icon and version, a line of thanks and two links, one to the maker's
// web site and one that starts an e-mail to its support address.
#pragma once

#include "framework/Dialog.h"
#include "widgets/CMyHyperLink.h"
#include "widgets/CxShadeButton.h"

class CHelp : public Dialog {
public:
    CHelp();
    ~CHelp() override;

protected:
    void DoDataExchange() override;
    bool OnInitDialog() override;

private:
    HWND aboutText = nullptr;
    CMyHyperLink webLink;
    CMyHyperLink mailLink;
    CxShadeButton okButton;
};
