#include "UTraslado.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QShortcut>
#include <QTimer>
#include <QVBoxLayout>
#include <limits>

#include "Boxes.h"
#include "Controls.h"
#include "Layout.h"
#include "Messages.h"
#include "dbaccess/Errors.h"

TF_Traslado* F_Traslado = nullptr;

using copy::TSide;
using dbaccess::Format;

namespace {

QGroupBox* MakeGroupBox(QWidget* parent, const char* name, const char* caption, const QRect& place) {
    auto* box = new QGroupBox(QString::fromUtf8(caption), parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setGeometry(place);
    return box;
}

QComboBox* MakeComboBox(QWidget* parent, const char* name, const QRect& place) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setEditable(true);
    // By default Enter would add the typed text to the list.
    box->setInsertPolicy(QComboBox::NoInsert);
    // Inline completion would change the typed text, which is used unchanged.
    box->setCompleter(nullptr);
    box->setMaxVisibleItems(8);
    box->lineEdit()->setMaxLength(std::numeric_limits<int>::max());
    box->setGeometry(place);
    return box;
}

}  // namespace

TF_Traslado::TF_Traslado(TBoxes& boxes)
    : QWidget(nullptr, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                           Qt::WindowCloseButtonHint),
      DbOri("DbOri", "BancoOri"),
      DbDes("DbDes", "BancoDes"),
      TabOri("TabOri", "BancoOri"),
      TabDes("TabDes", "BancoDes"),
      DbItemsOri("DbItemsOri", "BancoOri"),
      DbItemsDes("DbItemsDes", "BancoDes"),
      m_boxes(boxes) {
    F_Traslado = this;
    setObjectName(QStringLiteral("F_Traslado"));
    setWindowTitle(QString::fromUtf8(dialog::msg::kCaption));
    setFont(layout::DialogFont(logicalDpiY()));
    BuildControls();
    move(layout::kWindowFrame.topLeft());
    // Without a window manager the frame has no margins; FitFrame corrects
    // the client size once a window manager has told them.
    resize(layout::kWindowFrame.size());

    auto login = [this](dbaccess::TDatabase& connection, const std::string& userName) {
        return Login(connection, userName);
    };
    DbOri.SetOnLogin(login);
    DbDes.SetOnLogin(login);

    DbBancos.Open();
    connect(qApp, &QApplication::focusChanged, this, &TF_Traslado::FocusChanged);
}

TF_Traslado::~TF_Traslado() {
    // The controls go after the components; no focus move may reach a handler then.
    disconnect(qApp, nullptr, this, nullptr);
    if (F_Traslado == this) F_Traslado = nullptr;
}

void TF_Traslado::BuildControls() {
    // The scroll area stands for the client area: scroll bars appear when the
    // window is smaller than the controls.
    m_scroller = new QScrollArea(this);
    m_scroller->setFrameShape(QFrame::NoFrame);
    m_scroller->setFocusPolicy(Qt::NoFocus);
    m_scroller->setWidgetResizable(true);
    m_scroller->setBackgroundRole(QPalette::Window);
    m_scroller->viewport()->setBackgroundRole(QPalette::Window);
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->addWidget(m_scroller);
    auto* client = new QWidget;
    client->setObjectName(QStringLiteral("ClientArea"));

    const int textHeight = QFontMetrics(font()).height();
    auto place = [textHeight](int left, int top, int width, int height) {
        return layout::ScaledPlace(QRect(left, top, width, height), textHeight);
    };

    // Created in layout order: the tab sequence follows it.
    GroupBox1 = MakeGroupBox(client, "GroupBox1", "Origem dos Dados ", place(8, 9, 253, 120));
    GroupBox3 = MakeGroupBox(GroupBox1, "GroupBox3", "Banco  ", place(8, 14, 236, 43));
    CBBcoOri = MakeComboBox(GroupBox3, "CBBcoOri", place(2, 13, 231, 21));
    GroupBox4 = MakeGroupBox(GroupBox1, "GroupBox4", "Tabela  ", place(6, 62, 239, 44));
    CBTabOri = MakeComboBox(GroupBox4, "CBTabOri", place(2, 16, 233, 21));
    GroupBox2 = MakeGroupBox(client, "GroupBox2", "Destino dos Dados ", place(283, 8, 253, 121));
    GroupBox5 = MakeGroupBox(GroupBox2, "GroupBox5", "Banco  ", place(8, 14, 237, 43));
    CBBcoDes = MakeComboBox(GroupBox5, "CBBcoDes", place(6, 15, 226, 21));
    GroupBox6 = MakeGroupBox(GroupBox2, "GroupBox6", "Tabela  ", place(8, 63, 237, 45));
    CBTabDes = MakeComboBox(GroupBox6, "CBTabDes", place(2, 15, 231, 21));

    BtCopiar = new QPushButton(QStringLiteral("&Copiar"), client);
    BtCopiar->setObjectName(QStringLiteral("BtCopiar"));
    BtCopiar->setGeometry(place(240, 144, 75, 25));
    // Outside a QDialog only an auto-default button takes Return and Enter.
    BtCopiar->setAutoDefault(true);
    BtCopiar->installEventFilter(this);
    connect(BtCopiar, &QPushButton::clicked, this, &TF_Traslado::BtCopiarClick);
    // The mnemonic gives Alt+C; Alt+Shift+C presses the button too.
    auto* shifted = new QShortcut(QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_C), this);
    connect(shifted, &QShortcut::activated, BtCopiar, [this] { BtCopiar->animateClick(); });

    if (textHeight != layout::kDesignTextHeight) {
        // The combo boxes keep the height their font gives them.
        for (QComboBox* box : {CBBcoOri, CBTabOri, CBBcoDes, CBTabDes}) {
            box->resize(box->width(), box->sizeHint().height());
        }
    }
    const QRect extent = client->childrenRect();
    client->setMinimumSize(extent.right() + 1, extent.bottom() + 1);
    m_scroller->setWidget(client);
}

TF_Traslado::TSideParts TF_Traslado::Side(TSide side) {
    if (side == copy::sdOri) return {CBBcoOri, CBTabOri, DbOri, DbItemsOri, dialog::msg::kSourceWord};
    return {CBBcoDes, CBTabDes, DbDes, DbItemsDes, dialog::msg::kDestinationWord};
}

void TF_Traslado::BtCopiarClick() {
    copy::RunCopy(*this);
}

void TF_Traslado::FormShow() {
    for (QComboBox* box : {CBBcoOri, CBBcoDes}) {
        for (DbBancos.First(); !DbBancos.Eof(); DbBancos.Next()) AppendItem(*box, DbBancos.Value(0));
    }
}

void TF_Traslado::CBTabOriEnter() {
    ListTables(copy::sdOri);
}

void TF_Traslado::CBTabDesEnter() {
    ListTables(copy::sdDes);
}

void TF_Traslado::FormClose() {
    DbOri.Close();
    DbItemsOri.Close();
    DbDes.Close();
    DbItemsDes.Close();
    TabOri.Close();
    TabDes.Close();
}

void TF_Traslado::CBBcoOriExit() {
    ConnectSide(copy::sdOri);
}

void TF_Traslado::CBBcoDesExit() {
    ConnectSide(copy::sdDes);
}

void TF_Traslado::ConnectSide(TSide side) {
    TSideParts parts = Side(side);
    const std::string aliasName = BoxText(*parts.databaseBox);
    if (aliasName.empty()) return;
    parts.connection.Close();
    parts.connection.SetAliasName(aliasName);
    try {
        parts.connection.Open();
    } catch (const std::exception& error) {
        ShowMessage(Format(dialog::msg::kConnectFailed, {parts.word}) + error.what());
        FocusControl(*parts.databaseBox);
    }
}

void TF_Traslado::ListTables(TSide side) {
    TSideParts parts = Side(side);
    if (!parts.connection.Connected()) return;
    try {
        ClearBox(*parts.tableBox);
        parts.tableList.Close();
        parts.tableList.Open();
        for (parts.tableList.First(); !parts.tableList.Eof(); parts.tableList.Next()) {
            AppendItem(*parts.tableBox, parts.tableList.Value(0));
        }
    } catch (const std::exception& error) {
        ShowMessage(Format(dialog::msg::kListFailed, {parts.word}) + error.what());
        FocusControl(*parts.tableBox);
    }
}

void TF_Traslado::FocusChanged(QWidget* old, QWidget* now) {
    // Only moves between two controls of this window count: opening a combo
    // box's list, or another window or a box taking the focus, are not exits.
    if (!old || !now || old->window() != this || now->window() != this) return;
    const int boxesBefore = m_boxesShown;
    if (old == CBBcoOri) CBBcoOriExit();
    if (old == CBBcoDes) CBBcoDesExit();
    // A failed connect has moved the focus back; the move that started this is over.
    if (focusWidget() == now) {
        if (now == CBTabOri) CBTabOriEnter();
        if (now == CBTabDes) CBTabDesEnter();
    }
    if (m_boxesShown != boxesBefore) {
        // When a press on the button started this move, the box took its
        // release: drop the press, or the button would stay down.
        m_swallowPress = true;
        QTimer::singleShot(0, this, [this] { m_swallowPress = false; });
    }
}

bool TF_Traslado::eventFilter(QObject* watched, QEvent* event) {
    if (watched == BtCopiar && event->type() == QEvent::MouseButtonPress && m_swallowPress) {
        m_swallowPress = false;
        return true;
    }
    // The accelerator's letter alone presses the button while it has the focus.
    if (watched == BtCopiar && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_C && (key->modifiers() & ~Qt::ShiftModifier) == Qt::NoModifier) {
            BtCopiar->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TF_Traslado::ShowError(const std::string& message) {
    m_boxes.Error(this, QCoreApplication::applicationName(), ErrorBoxText(QString::fromStdString(message)));
    BoxClosed();
}

void TF_Traslado::ShowMessage(const std::string& text) {
    m_boxes.Message(this, QString::fromStdString(text));
    BoxClosed();
}

std::optional<dbaccess::TLogin> TF_Traslado::Login(const dbaccess::TDatabase& connection, const std::string& userName) {
    auto login =
        m_boxes.Login(this, QString::fromStdString(connection.DatabaseName()), QString::fromStdString(userName));
    BoxClosed();
    return login;
}

void TF_Traslado::BoxClosed() {
    ++m_boxesShown;
    // Without a window manager nothing gives the dialog back its activation,
    // and the keyboard would stay dead.
    if (isVisible()) activateWindow();
}

void TF_Traslado::FocusCopyButton() {
    FocusControl(*BtCopiar);
}

std::string TF_Traslado::TableText(TSide side) {
    return BoxText(*Side(side).tableBox);
}

dbaccess::TDatabase& TF_Traslado::Database(TSide side) {
    return Side(side).connection;
}

dbaccess::TTable& TF_Traslado::Table(TSide side) {
    return side == copy::sdOri ? TabOri : TabDes;
}

bool TF_Traslado::event(QEvent* event) {
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) FitFrame();
    return QWidget::event(event);
}

void TF_Traslado::FitFrame() {
    if (m_frameFitted || !isVisible() || windowState() != Qt::WindowNoState) return;
    const QRect frame = frameGeometry();
    const QRect client = geometry();
    if (frame == client) return;
    // The margins are known now: make the outer size the layout's, once.
    m_frameFitted = true;
    resize(layout::kWindowFrame.width() - (frame.width() - client.width()),
           layout::kWindowFrame.height() - (frame.height() - client.height()));
    move(layout::kWindowFrame.topLeft());
}

void TF_Traslado::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    // Some platforms know the frame's margins as soon as the window exists.
    QTimer::singleShot(0, this, &TF_Traslado::FitFrame);
    if (!m_formShown) {
        m_formShown = true;
        FormShow();
    }
}

void TF_Traslado::closeEvent(QCloseEvent* event) {
    // A failing FormClose leaves the dialog open; the failure goes to the error box.
    event->ignore();
    FormClose();
    event->accept();
}
