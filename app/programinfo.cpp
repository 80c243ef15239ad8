#include "programinfo.h"

#include "clickablelabel.h"
#include "pictures.h"
#include "webpage.h"

#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

const char *const bodyText =
    "Thank you for trying the Quillmont loan tools.\n"
    "\n"
    "If you lend your own money, or money you manage for others, take a look\n"
    "at Quillmont Loan Servicer, our complete servicing system for private\n"
    "money lenders. It keeps every note, every borrower and every investor\n"
    "in one place and does the bookkeeping for you:\n"
    "\n"
    "    - Payment posting with late charges, partial and extra payments\n"
    "    - Investor accounts, participations and monthly disbursements\n"
    "    - Escrow and impound tracking for taxes and insurance\n"
    "    - Borrower statements, payoff letters and reminder notices\n"
    "    - Year-end interest reports and lender tax forms\n"
    "    - Collection notes, follow-up dates and a full audit trail\n"
    "\n"
    "Click the link above to download a free demo, or call us at\n"
    "(555) 010-2300 and we will gladly walk you through it.\n"
    "We look forward to hearing from you.";

}  // namespace

TfrmProgramInfo::TfrmProgramInfo(Messages &messages, QWidget *parent)
    : ToolDialog(messages, QStringLiteral("Loan Servicing Software"), QSize(596, 440), parent)
{
    QPalette background = palette();
    background.setColor(QPalette::Window, background.color(QPalette::HighlightedText));
    setPalette(background);
    setAutoFillBackground(true);

    Image1 = new QLabel(this);
    Image1->setGeometry(0, 0, 596, 57);
    Image1->setPixmap(bannerPicture());
    Image1->setAlignment(Qt::AlignCenter);

    lbLink = new ClickableLabel(this);
    lbLink->setGeometry(0, 57, 596, 330);
    lbLink->setText(webPageCaption());
    lbLink->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont linkFont = lbLink->font();
    linkFont.setPointSize(12);
    linkFont.setBold(true);
    linkFont.setUnderline(true);
    lbLink->setFont(linkFont);
    QPalette blue = lbLink->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    lbLink->setPalette(blue);
    lbLink->setCursor(Qt::PointingHandCursor);
    lbLink->setToolTip(QStringLiteral("Click here"));
    connect(lbLink, &ClickableLabel::clicked, this, &TfrmProgramInfo::lbLinkClick);

    MemoHeader = new QTextEdit(this);
    MemoHeader->setGeometry(0, 387, 596, 53);
    MemoHeader->setReadOnly(true);
    MemoHeader->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette tooltip = MemoHeader->palette();
    tooltip.setColor(QPalette::Base, tooltip.color(QPalette::ToolTipBase));
    tooltip.setColor(QPalette::Text, tooltip.color(QPalette::ToolTipText));
    MemoHeader->setPalette(tooltip);
    QFont bold = MemoHeader->font();
    bold.setBold(true);
    MemoHeader->setFont(bold);
    MemoHeader->document()->setDocumentMargin(2);
    for (const QString &line :
         {QStringLiteral("Quillmont Loan Calculator"),
          QStringLiteral("Copyright \u00a9 Quillmont Software. All rights reserved."), QStringLiteral("Version 2.3")}) {
        MemoHeader->append(line);
        MemoHeader->setAlignment(Qt::AlignCenter);
    }

    MemoBody = new QPlainTextEdit(this);
    MemoBody->setGeometry(32, 84, 564, 289);
    MemoBody->setFrameShape(QFrame::NoFrame);
    MemoBody->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont body = MemoBody->font();
    body.setPointSize(10);
    MemoBody->setFont(body);
    QPalette page = MemoBody->palette();
    page.setColor(QPalette::Base, background.color(QPalette::Window));
    MemoBody->setPalette(page);
    MemoBody->setPlainText(QString::fromUtf8(bodyText));

    setTabOrder(MemoHeader, MemoBody);
    MemoHeader->setFocus();
}

void TfrmProgramInfo::lbLinkClick()
{
    guarded([this] { openWebPage(messages()); });
}
