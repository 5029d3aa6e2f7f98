#pragma once
// Start-up side of the recovery copies: finds the copies of editors that
// are gone, asks whether to restore or discard them or decide later, and puts each
// restored text back: one into this window, the others into editors of
// their own.

#include <QString>
#include <QStringList>
#include <functional>

class CQuillDoc;
class CRecoveryKeeper;
class QWidget;
class RecoveryStore;

class CRecoveryOffer {
public:
    // The command-line option that makes a new editor restore one copy.
    static const QString kRecoverOption;

    CRecoveryOffer(RecoveryStore* store, CQuillDoc* doc, CRecoveryKeeper* keeper, QWidget* parent);

    // Looks for copies of editors that are gone and asks about them. The
    // window holds the script of the command line (empty path: a new one).
    void OfferAtStartUp();
    // Restores the one copy at `copyPath` into this window (an editor started
    // with kRecoverOption).
    void RestoreNamed(const QString& copyPath);

    // Starts a new editor that restores `copyPath`; tests replace it.
    using Launcher = std::function<bool(const QString& copyPath)>;
    void SetLauncherForTesting(Launcher launcher) { m_launch = std::move(launcher); }

private:
    RecoveryStore* m_store;
    CQuillDoc* m_doc;
    CRecoveryKeeper* m_keeper;
    QWidget* m_parent;
    Launcher m_launch;
};
