// The rename settings and window state as the window's controls hold them, both ways.
#include "DragListBox.h"
#include "frmRenamer.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <initializer_list>
#include <utility>

namespace renamewin {

namespace {

using engine::TokenAction;
using settingsfiles::RenameWindowState;
using settingsfiles::SubFrameVisibility;

// The window state's sub-frame record of each combo panel.
struct SubFramesOf {
    TokenAction action;
    SubFrameVisibility RenameWindowState::*frames;
};
constexpr SubFramesOf SubFrameTable[] = {
    {TokenAction::ReplaceFirst, &RenameWindowState::First},
    {TokenAction::ReplaceMid, &RenameWindowState::Mid},
    {TokenAction::ReplaceLast, &RenameWindowState::Last},
    {TokenAction::ReplaceAll, &RenameWindowState::All},
    {TokenAction::Insert, &RenameWindowState::Insert},
    {TokenAction::Suffix, &RenameWindowState::Suffix},
    {TokenAction::Prefix, &RenameWindowState::Prefix},
    {TokenAction::Compose, &RenameWindowState::Compose},
};

// The token combo's text of each combo panel in the settings (Compose keeps its own in the
// window state).
struct SourceOf {
    TokenAction action;
    QString engine::RenameSettings::*source;
    QString engine::RenameSettings::*mask;
};
constexpr SourceOf SourceTable[] = {
    {TokenAction::ReplaceFirst, &engine::RenameSettings::FirstSource, &engine::RenameSettings::FirstRandomMask},
    {TokenAction::ReplaceMid, &engine::RenameSettings::MidSource, &engine::RenameSettings::MidRandomMask},
    {TokenAction::ReplaceLast, &engine::RenameSettings::LastSource, &engine::RenameSettings::LastRandomMask},
    {TokenAction::ReplaceAll, &engine::RenameSettings::AllSource, &engine::RenameSettings::AllRandomMask},
    {TokenAction::Insert, &engine::RenameSettings::InsertSource, &engine::RenameSettings::InsertRandomMask},
    {TokenAction::Suffix, &engine::RenameSettings::SuffixSource, &engine::RenameSettings::SuffixRandomMask},
    {TokenAction::Prefix, &engine::RenameSettings::PrefixSource, &engine::RenameSettings::PrefixRandomMask},
    {TokenAction::Compose, nullptr, &engine::RenameSettings::ComposeElementMask},
};

// The option of a group that is selected, as its value; `none` when none is.
template <class E>
E selectedOption(std::initializer_list<std::pair<const QRadioButton *, E>> group, E none)
{
    for (const auto &[option, value] : group) {
        if (option->isChecked())
            return value;
    }
    return none;
}

// Selects the option of a group that stands for `value`; with none matching, clears them all.
template <class E>
void selectOption(std::initializer_list<std::pair<QRadioButton *, E>> group, E value)
{
    for (const auto &[option, v] : group) {
        if (v == value) {
            option->setChecked(true);
            return;
        }
    }
    for (const auto &[option, v] : group) {
        option->setAutoExclusive(false);
        option->setChecked(false);
        option->setAutoExclusive(true);
    }
}

int16_t checkValue(const QCheckBox *box)
{
    return box->isChecked() ? 1 : 0;
}

} // namespace

engine::RenameSettings frmRenamer::renameSettings() const
{
    engine::RenameSettings s;
    s.ActionList.clear();
    for (int i = 0; i < List3->count(); ++i)
        s.ActionList.push_back({List3->item(i)->text(), List3->item(i)->checkState() == Qt::Checked});
    readPanels(s);
    return s;
}

void frmRenamer::readPanels(engine::RenameSettings &s) const
{
    for (int i = 0; i < engine::TokenActionCount; ++i) {
        const TokenControls &t = m_tokens[size_t(i)];
        engine::CounterSettings &c = s.counter(TokenAction(i));
        for (int box = 0; box < 6; ++box) {
            c.counterBox(box) = t.counterBoxes[size_t(box)]->text();
            c.alphaBox(box) = t.alphaBoxes[size_t(box)]->text();
        }
        c.AlphaCase = selectedOption<engine::AlphaCaseOption>(
            {{t.caseOptions[0], engine::AlphaCaseOption::Uppercase},
             {t.caseOptions[1], engine::AlphaCaseOption::Lowercase}},
            engine::AlphaCaseOption::None);
    }
    for (const SourceOf &field : SourceTable) {
        const TokenControls &t = m_tokens[size_t(field.action)];
        if (field.source)
            s.*field.source = t.combo->currentText();
        s.*field.mask = t.mask->text();
    }

    s.FirstCount = Text1->text();
    s.MidCount = Text12->text();
    s.MidPosition = Text13->text();
    s.LastCount = Text14->text();

    s.InsertMode = int16_t(cmbInsert->currentIndex());
    s.InsertPosition = Text38->text();
    s.InsertSearchText = Text43->text();
    s.InsertSearchMatchCase = checkValue(Check2);
    s.InsertFirstText = Text44->text();
    s.InsertSecondText = Text45->text();
    s.InsertBetweenMatchCase = checkValue(Check1);

    s.ComposeElements.clear();
    for (int i = 0; i < lstCompose->count(); ++i)
        s.ComposeElements.append(lstCompose->item(i)->text());

    s.ExtensionMode = selectedOption<engine::ExtensionOption>(
        {{Option42, engine::ExtensionOption::Upper}, {Option41, engine::ExtensionOption::Lower},
         {Option40, engine::ExtensionOption::Invert}, {Option43, engine::ExtensionOption::Replace}},
        engine::ExtensionOption::None);
    s.CaseMode = selectedOption<engine::CaseOption>(
        {{Option37, engine::CaseOption::Upper}, {Option38, engine::CaseOption::Lower},
         {Option39, engine::CaseOption::Invert}},
        engine::CaseOption::None);

    s.CleanClasses = {chkCAlpha->isChecked(), chkSAlpha->isChecked(), chkVowel->isChecked(),
                      chkDigit->isChecked()};
    const auto keeps = keepChecks();
    for (size_t i = 0; i < keeps.size(); ++i)
        s.CleanKeepChars[i] = keeps[i]->isChecked();
    s.CleanKeepOther = Text48->text();
    s.CleanRemoveSpecial = Check12->isChecked();
    s.CleanReplaceMode = selectedOption<engine::CleanReplaceOption>(
        {{Option4, engine::CleanReplaceOption::Blank}, {Option5, engine::CleanReplaceOption::OwnCharacter}},
        engine::CleanReplaceOption::None);
    s.CleanReplaceChar = Text49->text();

    s.LengthTarget = cmbLength->currentText();
    s.LengthTakeMode = selectedOption<engine::LengthTakeOption>(
        {{Option1, engine::LengthTakeOption::Beginning}, {Option2, engine::LengthTakeOption::End},
         {Option3, engine::LengthTakeOption::Position}},
        engine::LengthTakeOption::None);
    s.LengthStartPosition = Text37->text();
    s.LengthPadMode = selectedOption<engine::LengthPadOption>(
        {{Option19, engine::LengthPadOption::Beginning}, {Option20, engine::LengthPadOption::End}},
        engine::LengthPadOption::None);
    s.LengthPadStartChar = Text18->text();
    s.LengthPadEndChar = Text19->text();
}

settingsfiles::RenameWindowState frmRenamer::windowState() const
{
    RenameWindowState state;
    state.CurrentAction = int16_t(List3->currentRow());
    for (const SubFramesOf &entry : SubFrameTable) {
        const TokenControls &t = m_tokens[size_t(entry.action)];
        state.*entry.frames = {!t.alphaFrame->isHidden(), !t.counterFrame->isHidden(),
                               !t.randomFrame->isHidden()};
    }
    state.ComposeToken = cmbCompose->currentText();
    return state;
}

void frmRenamer::applySettings(const engine::RenameSettings &s, const RenameWindowState &state)
{
    {
        const QSignalBlocker quiet(List3);
        List3->clear();
        for (const engine::ActionListItem &action : s.ActionList) {
            auto *item = new QListWidgetItem(action.Name, List3);
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(action.Checked ? Qt::Checked : Qt::Unchecked);
        }
        List3->setCurrentRow(-1);
    }
    List3->setCurrentRow(state.CurrentAction);

    for (int i = 0; i < engine::TokenActionCount; ++i) {
        const TokenControls &t = m_tokens[size_t(i)];
        const engine::CounterSettings &c = s.counter(TokenAction(i));
        for (int box = 0; box < 6; ++box) {
            t.counterBoxes[size_t(box)]->setText(c.counterBox(box));
            t.alphaBoxes[size_t(box)]->setText(c.alphaBox(box));
        }
        selectOption<engine::AlphaCaseOption>({{t.caseOptions[0], engine::AlphaCaseOption::Uppercase},
                                               {t.caseOptions[1], engine::AlphaCaseOption::Lowercase}},
                                              c.AlphaCase);
    }
    for (const SourceOf &field : SourceTable) {
        const TokenControls &t = m_tokens[size_t(field.action)];
        t.combo->setEditText(field.source ? s.*field.source : state.ComposeToken);
        t.mask->setText(s.*field.mask);
    }
    for (const SubFramesOf &entry : SubFrameTable) {
        const TokenControls &t = m_tokens[size_t(entry.action)];
        const SubFrameVisibility &shown = state.*entry.frames;
        t.alphaFrame->setVisible(shown.Alpha);
        t.counterFrame->setVisible(shown.Counter);
        t.randomFrame->setVisible(shown.Random);
    }

    Text1->setText(s.FirstCount);
    Text12->setText(s.MidCount);
    Text13->setText(s.MidPosition);
    Text14->setText(s.LastCount);

    cmbInsert->setCurrentIndex(s.InsertMode);
    Text38->setText(s.InsertPosition);
    Text43->setText(s.InsertSearchText);
    Check2->setChecked(s.InsertSearchMatchCase != 0);
    Text44->setText(s.InsertFirstText);
    Text45->setText(s.InsertSecondText);
    Check1->setChecked(s.InsertBetweenMatchCase != 0);

    lstCompose->clear();
    lstCompose->addItems(s.ComposeElements);

    selectOption<engine::ExtensionOption>(
        {{Option42, engine::ExtensionOption::Upper}, {Option41, engine::ExtensionOption::Lower},
         {Option40, engine::ExtensionOption::Invert}, {Option43, engine::ExtensionOption::Replace}},
        s.ExtensionMode);
    selectOption<engine::CaseOption>({{Option37, engine::CaseOption::Upper},
                                      {Option38, engine::CaseOption::Lower},
                                      {Option39, engine::CaseOption::Invert}},
                                     s.CaseMode);

    chkCAlpha->setChecked(s.CleanClasses[engine::CapitalLetters]);
    chkSAlpha->setChecked(s.CleanClasses[engine::SmallLetters]);
    chkVowel->setChecked(s.CleanClasses[engine::Vowels]);
    chkDigit->setChecked(s.CleanClasses[engine::Digits]);
    const auto keeps = keepChecks();
    for (size_t i = 0; i < keeps.size(); ++i)
        keeps[i]->setChecked(s.CleanKeepChars[i]);
    Text48->setText(s.CleanKeepOther);
    Check12->setChecked(s.CleanRemoveSpecial);
    selectOption<engine::CleanReplaceOption>({{Option4, engine::CleanReplaceOption::Blank},
                                              {Option5, engine::CleanReplaceOption::OwnCharacter}},
                                             s.CleanReplaceMode);
    Text49->setText(s.CleanReplaceChar);

    cmbLength->setEditText(s.LengthTarget);
    selectOption<engine::LengthTakeOption>({{Option1, engine::LengthTakeOption::Beginning},
                                            {Option2, engine::LengthTakeOption::End},
                                            {Option3, engine::LengthTakeOption::Position}},
                                           s.LengthTakeMode);
    Text37->setText(s.LengthStartPosition);
    selectOption<engine::LengthPadOption>({{Option19, engine::LengthPadOption::Beginning},
                                           {Option20, engine::LengthPadOption::End}},
                                          s.LengthPadMode);
    Text18->setText(s.LengthPadStartChar);
    Text19->setText(s.LengthPadEndChar);
}

} // namespace renamewin
