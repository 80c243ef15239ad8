#include "mainform.h"

#include "capsulebutton.h"
#include "clickablelabel.h"
#include "pictures.h"
#include "programinfo.h"
#include "webpage.h"

#include "amortization/amortbuiltin.h"
#include "calculators/aprcalc.h"
#include "calculators/dbd.h"
#include "calculators/pmtcalc.h"
#include "datastore/table.h"
#include "scoring/should_i.h"
#include "ui/guard.h"
#include "ui/modal.h"

#include <QGuiApplication>
#include <QScreen>

TMainForm::TMainForm(Messages &messages, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint)
    , m_messages(messages)
{
    setWindowTitle(QStringLiteral("Quillmont Loan Calculator"));
    setFixedSize(293, 362);
    QPalette white = palette();
    white.setColor(QPalette::Window, Qt::white);
    setPalette(white);
    setAutoFillBackground(true);

    lbLink = new ClickableLabel(this);
    lbLink->setGeometry(0, 0, 293, 65);
    lbLink->setPixmap(bannerPicture());
    lbLink->setAlignment(Qt::AlignCenter);
    lbLink->setCursor(Qt::PointingHandCursor);
    connect(lbLink, &ClickableLabel::clicked, this, &TMainForm::lbLinkClick);

    fcButtonGroup1 = new QWidget(this);
    fcButtonGroup1->setGeometry(16, 72, 257, 249);
    fcButtonGroupHousCalc = addMenuButton(QStringLiteral("&Payment Calculator"), 0, &TMainForm::btnPmtCalcClick);
    fcButtonGroupAmortSche = addMenuButton(QStringLiteral("&Amortization Schedule"), 1, &TMainForm::btnAmortClick);
    fcButtonGroupAprCalc = addMenuButton(QStringLiteral("APR Calculator"), 2, &TMainForm::fcButtonGroupAprCalcClick);
    fcButtonGroupAprCalc->setCursor(Qt::ArrowCursor);
    fcButtonGroupShould_I =
        addMenuButton(QStringLiteral("&Should we make this loan?"), 3, &TMainForm::fcButtonGroupShould_IClick);
    fcButtonGroupdbd = addMenuButton(QStringLiteral("&Days Between Dates"), 4, &TMainForm::btnDndClick);
    fcButtonGroupdbd->resize(257, 45);
    // The lower three are visited bottom to top.
    setTabOrder(fcButtonGroupHousCalc, fcButtonGroupAmortSche);
    setTabOrder(fcButtonGroupAmortSche, fcButtonGroupdbd);
    setTabOrder(fcButtonGroupdbd, fcButtonGroupShould_I);
    setTabOrder(fcButtonGroupShould_I, fcButtonGroupAprCalc);

    BitBtnAdvert = new ClickableLabel(this);
    BitBtnAdvert->setGeometry(12, 332, 24, 24);
    BitBtnAdvert->setPixmap(informationSign());
    BitBtnAdvert->setCursor(Qt::WhatsThisCursor);
    BitBtnAdvert->setToolTip(QStringLiteral("Program Information"));
    connect(BitBtnAdvert, &ClickableLabel::clicked, this, &TMainForm::btnInfoClick);

    if (QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    runGuarded(m_messages, [this] { FormCreate(); });
}

TMainForm::~TMainForm() = default;

CapsuleButton *TMainForm::addMenuButton(const QString &caption, int place, void (TMainForm::*handler)())
{
    auto *button = new CapsuleButton(caption, fcButtonGroup1);
    button->setGeometry(0, place * 51, 257, 46);
    connect(button, &CapsuleButton::clicked, this,
            [this, handler] { runGuarded(m_messages, [this, handler] { (this->*handler)(); }); });
    return button;
}

void TMainForm::FormCreate()
{
    m_shared.LastLoanAmt = QStringLiteral("100000.00");
    m_shared.LastRate = QStringLiteral("12.000");
    m_shared.LastTerm = QStringLiteral("60");
    m_shared.LastPayment = QStringLiteral("0.00");
    m_shared.LastBalloon = QStringLiteral("0.00");
    Data = std::make_unique<TData>();
}

void TMainForm::btnPmtCalcClick()
{
    openModal<TfrmPmtCalc>(this, m_shared, m_messages);
}

void TMainForm::btnAmortClick()
{
    openModal<TfrmAmortBuiltIn>(this, m_shared, m_messages, *Data);
}

void TMainForm::fcButtonGroupAprCalcClick()
{
    openModal<TfrmAPRCalc>(this, m_shared, m_messages);
}

void TMainForm::fcButtonGroupShould_IClick()
{
    openModal<TfrmShould_I>(this, m_shared, m_messages, *Data);
}

void TMainForm::btnDndClick()
{
    openModal<TfrmDBD>(this, m_messages);
}

void TMainForm::btnInfoClick()
{
    runGuarded(m_messages, [this] { openModal<TfrmProgramInfo>(this, m_messages); });
}

void TMainForm::lbLinkClick()
{
    runGuarded(m_messages, [this] { openWebPage(m_messages); });
}
