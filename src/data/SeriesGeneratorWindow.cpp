#include "data/SeriesGeneratorWindow.h"

#include "core/Utilities.h"
#include "data/SeriesFiles.h"
#include "data/SeriesManagerWindow.h"
#include "data/SeriesWindow.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSpinBox>
#include "canvas/SmallDialogs.h"
#include "canvas/WidgetUtilities.h"

#include <QValidator>
#include <QVBoxLayout>

Generate_List *Gen_List_Window = nullptr;

namespace {
QLineEdit *field(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QSpinBox *stepper(QWidget *parent, const char *name, int max)
{
    auto *box = Whole_Number_Field(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(1, max);
    return box;
}

QPushButton *button(QWidget *parent, const QString &title, const char *name)
{
    auto *b = new QPushButton(title, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QString nameOrUntitled(const QString &text)
{
    return Trim_Str(text).isEmpty() ? QStringLiteral("Untitled") : text;
}
}  // namespace

Generate_List::Generate_List(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Generate_List"));
    setWindowTitle(tr("Generate Series"));
    setModal(true);
    Style_Series_Window(this);
    Gen_List_Window = this;

    auto *layout = new QVBoxLayout(this);
    auto *seq = new QGroupBox(this), *con = new QGroupBox(this), *rnd = new QGroupBox(this);

    radioButton_Sequntial = new QRadioButton(tr("Sequential"), this);
    radioButton_Sequntial->setObjectName(QStringLiteral("radioButton_Sequntial"));
    radioButton_Constant = new QRadioButton(tr("Constant"), this);
    radioButton_Constant->setObjectName(QStringLiteral("radioButton_Constant"));
    radioButton_Random = new QRadioButton(tr("Random"), this);
    radioButton_Random->setObjectName(QStringLiteral("radioButton_Random"));
    // The buttons are set by the mode switch itself, not by Qt's exclusive groups.
    for (QRadioButton *r : {radioButton_Sequntial, radioButton_Constant, radioButton_Random})
        r->setAutoExclusive(false);

    auto *seqForm = new QFormLayout(seq);
    prefix_txt = field(seq, "prefix_txt");
    suffix_txt = field(seq, "suffix_txt");
    from_txt = field(seq, "from_txt");
    to_txt = field(seq, "to_txt");
    manage_digit_chk = new QCheckBox(tr("Maintain number of digits"), seq);
    manage_digit_chk->setObjectName(QStringLiteral("manage_digit_chk"));
    help_btn = button(seq, tr("?"), "help_btn");
    seq_file_name = field(seq, "seq_file_name");
    seqForm->addRow(radioButton_Sequntial);
    seqForm->addRow(tr("Prefix"), prefix_txt);
    seqForm->addRow(tr("Suffix"), suffix_txt);
    seqForm->addRow(tr("From"), from_txt);
    seqForm->addRow(tr("To"), to_txt);
    auto *digits = new QHBoxLayout;
    digits->addWidget(manage_digit_chk);
    digits->addWidget(help_btn);
    seqForm->addRow(digits);
    seqForm->addRow(tr("Series name"), seq_file_name);

    auto *conForm = new QFormLayout(con);
    value_txt = field(con, "value_txt");
    count_txt = field(con, "count_txt");
    count_stepper = stepper(con, "count_stepper", kSeriesMaxCount);
    const_file_name = field(con, "const_file_name");
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(count_txt);
    countRow->addWidget(count_stepper);
    conForm->addRow(radioButton_Constant);
    conForm->addRow(tr("Value"), value_txt);
    conForm->addRow(tr("Count"), countRow);
    conForm->addRow(tr("Series name"), const_file_name);

    auto *rndForm = new QFormLayout(rnd);
    rand_prefix_txt = field(rnd, "rand_prefix_txt");
    rand_suffix_txt = field(rnd, "rand_suffix_txt");
    rand_length_txt = field(rnd, "rand_length_txt");
    rand_length_stepper = stepper(rnd, "rand_length_stepper", kSeriesMaxLength);
    rand_count_txt = field(rnd, "rand_count_txt");
    rand_count_stepper = stepper(rnd, "rand_count_stepper", kSeriesMaxCount);
    rndm_file_name = field(rnd, "rndm_file_name");
    auto *lengthRow = new QHBoxLayout;
    lengthRow->addWidget(rand_length_txt);
    lengthRow->addWidget(rand_length_stepper);
    auto *randCountRow = new QHBoxLayout;
    randCountRow->addWidget(rand_count_txt);
    randCountRow->addWidget(rand_count_stepper);
    rndForm->addRow(radioButton_Random);
    rndForm->addRow(tr("Prefix"), rand_prefix_txt);
    rndForm->addRow(tr("Suffix"), rand_suffix_txt);
    rndForm->addRow(tr("Length"), lengthRow);
    rndForm->addRow(tr("Count"), randCountRow);
    rndForm->addRow(tr("Series name"), rndm_file_name);

    auto *groups = new QHBoxLayout;
    groups->addWidget(seq);
    groups->addWidget(con);
    groups->addWidget(rnd);
    layout->addLayout(groups);
    auto *buttons = new QHBoxLayout;
    auto *cancel = button(this, tr("Cancel"), "CancelPressed");
    auto *ok = button(this, tr("OK"), "OKPressed");
    ok->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(ok);
    layout->addLayout(buttons);

    // A count field shows the most digits a count holds whole, beside its arrows.
    for (QLineEdit *e : {count_txt, rand_count_txt})
        e->setMinimumWidth(Whole_Text_Width(*e, QString::number(kSeriesMaxCount)));
    auto *numbers = new OnlyIntegerValueFormatter(this);
    for (QLineEdit *e : {from_txt, to_txt, count_txt, rand_count_txt, rand_length_txt}) {
        e->setValidator(numbers);
        connect(e, &QLineEdit::textEdited, this, [this, e] { controlTextDidChange(e); });
    }
    // A count left empty or at 0 becomes 1 once left, not while the user is still typing.
    for (QLineEdit *e : {count_txt, rand_count_txt, rand_length_txt})
        connect(e, &QLineEdit::editingFinished, this, [this, e] { countTextBy(e, Count_Field_Left_Text); });
    connect(radioButton_Sequntial, &QRadioButton::clicked, this, &Generate_List::Sequintial_Radio_Pressed);
    connect(radioButton_Constant, &QRadioButton::clicked, this, &Generate_List::Constant_Radio_Pressed);
    connect(radioButton_Random, &QRadioButton::clicked, this, &Generate_List::Random_Radio_Pressed);
    connect(count_stepper, &QSpinBox::valueChanged, this, &Generate_List::Count_Stepper_Pressed);
    connect(rand_length_stepper, &QSpinBox::valueChanged, this, &Generate_List::Random_Length_Stepper_Pressed);
    connect(rand_count_stepper, &QSpinBox::valueChanged, this, &Generate_List::Random_Count_Stepper_Pressed);
    connect(help_btn, &QPushButton::clicked, this, &Generate_List::Help_btn_Pressed);
    connect(ok, &QPushButton::clicked, this, &Generate_List::OKPressed);
    connect(cancel, &QPushButton::clicked, this, &Generate_List::CancelPressed);
    selectMode(SeriesGenMode::Sequential);
}

Generate_List::~Generate_List()
{
    if (Gen_List_Window == this)
        Gen_List_Window = nullptr;
}

Generate_List *Generate_List::defaultInstance()
{
    return Gen_List_Window ? Gen_List_Window : new Generate_List;
}

void Generate_List::Open_Wnd()
{
    const bool fileMode = file_name_required == 1;
    for (QLineEdit *name : {seq_file_name, const_file_name, rndm_file_name}) {
        name->clear();
        name->setVisible(fileMode);
    }
    if (fileMode)
        seq_file_name->setText(QStringLiteral("Untitled"));
    manage_digit_chk->setChecked(false);
    for (QLineEdit *e : {prefix_txt, suffix_txt, from_txt, to_txt, value_txt, rand_prefix_txt, rand_suffix_txt})
        e->clear();
    for (QLineEdit *e : {count_txt, rand_length_txt, rand_count_txt})
        e->setText(QStringLiteral("1"));
    selectMode(SeriesGenMode::Sequential);
    prefix_txt->setFocus();
    Run_Series_Window(*this);
}

SeriesGenMode Generate_List::mode() const
{
    if (radioButton_Constant->isChecked())
        return SeriesGenMode::Constant;
    return radioButton_Random->isChecked() ? SeriesGenMode::Random : SeriesGenMode::Sequential;
}

void Generate_List::selectMode(SeriesGenMode m)
{
    const bool s = m == SeriesGenMode::Sequential, c = m == SeriesGenMode::Constant, r = m == SeriesGenMode::Random;
    radioButton_Sequntial->setChecked(s);
    radioButton_Constant->setChecked(c);
    radioButton_Random->setChecked(r);
    for (QWidget *w : std::initializer_list<QWidget *>{prefix_txt, suffix_txt, from_txt, to_txt, help_btn,
                                                      manage_digit_chk, seq_file_name})
        w->setEnabled(s);
    for (QWidget *w : std::initializer_list<QWidget *>{value_txt, count_txt, count_stepper, const_file_name})
        w->setEnabled(c);
    for (QWidget *w : std::initializer_list<QWidget *>{rand_prefix_txt, rand_suffix_txt, rand_length_txt,
                                                      rand_length_stepper, rand_count_txt, rand_count_stepper,
                                                      rndm_file_name})
        w->setEnabled(r);
}

void Generate_List::Sequintial_Radio_Pressed()
{
    seq_file_name->setText(nameOrUntitled(seq_file_name->text()));
    selectMode(SeriesGenMode::Sequential);
}

void Generate_List::Constant_Radio_Pressed()
{
    const_file_name->setText(nameOrUntitled(const_file_name->text()));
    selectMode(SeriesGenMode::Constant);
}

void Generate_List::Random_Radio_Pressed()
{
    rndm_file_name->setText(nameOrUntitled(rndm_file_name->text()));
    selectMode(SeriesGenMode::Random);
}

void Generate_List::controlTextDidChange(QLineEdit *f)
{
    if (!countTextBy(f, Count_Field_Text))
        f->setText(Number_Field_Text(f->text()));
}

bool Generate_List::countTextBy(QLineEdit *f, QString (*rule)(const QString &, int, int))
{
    QSpinBox *follower = f == count_txt        ? count_stepper
                         : f == rand_count_txt ? rand_count_stepper
                         : f == rand_length_txt ? rand_length_stepper
                                                : nullptr;
    if (!follower)
        return false;
    const bool length = f == rand_length_txt;
    f->setText(rule(f->text(), length ? 1 : 5, length ? kSeriesMaxLength : kSeriesMaxCount));
    const QSignalBlocker quiet(follower);
    follower->setValue(int(Field_Number(f->text())));
    return true;
}

void Generate_List::Count_Stepper_Pressed() { count_txt->setText(QString::number(count_stepper->value())); }
void Generate_List::Random_Length_Stepper_Pressed()
{
    rand_length_txt->setText(QString::number(rand_length_stepper->value()));
}
void Generate_List::Random_Count_Stepper_Pressed()
{
    rand_count_txt->setText(QString::number(rand_count_stepper->value()));
}

void Generate_List::Help_btn_Pressed()
{
    show_msg(QStringLiteral(
        "Maintain number of Digits By adding 0's before smaller values. \n\nFor example:\nIf you have to generate a "
        "series having values from '0' to '200', this option automatically converts small values such as '1' to "
        "'001' and '11' to '011' to maintain number of digits same as the highest value in the series.\n\nSimilarly, "
        "if you have selected a series starting from '001' to '00200', this option automatically converts small "
        "values such as '001' to '00001' and '0011' to '00011' to maintain number of digits same as the highest "
        "value in the series."));
}

SeriesGenInput Generate_List::Read_Input() const
{
    SeriesGenInput in;
    in.mode = mode();
    in.prefix = prefix_txt->text();
    in.suffix = suffix_txt->text();
    in.from = from_txt->text();
    in.to = to_txt->text();
    in.padDigits = manage_digit_chk->isChecked();
    in.value = value_txt->text();
    in.count = count_txt->text();
    in.randPrefix = rand_prefix_txt->text();
    in.randSuffix = rand_suffix_txt->text();
    in.randLength = rand_length_txt->text();
    in.randCount = rand_count_txt->text();
    return in;
}

void Generate_List::OKPressed()
{
    const SeriesGenInput in = Read_Input();
    const SeriesGenCheck check = Check_Series_Input(in);
    if (!check.ok()) {
        Show_MessageBox(check.message);
        if (auto *w = findChild<QWidget *>(check.focus))
            w->setFocus();
        return;
    }
    if (file_name_required == 1) {
        const QLineEdit *name = in.mode == SeriesGenMode::Sequential ? seq_file_name
                                : in.mode == SeriesGenMode::Constant ? const_file_name
                                                                     : rndm_file_name;
        if (!Create_Series_File(name->text(), [&](const auto &add) { Generate_Series_Values(in, add); }))
            return;
    } else if (BatchWizard_Window) {
        QStringList values;
        Generate_Series_Values(in, [&](const QString &v) { values.append(v); });
        BatchWizard_Window->Create_Value_List(values);
    }
    if (file_name_Insert == 1 && BatchWizard_Window)
        BatchWizard_Window->Fill_List();
    done(1);
}

void Generate_List::CancelPressed() { done(0); }
