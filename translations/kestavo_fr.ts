<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>CAboutDescriptionPage</name>
    <message>
        <source>Description</source>
        <translation>Description</translation>
    </message>
</context>
<context>
    <name>CAboutLegalPage</name>
    <message>
        <source>Intellectual Property</source>
        <translation>Propriété intellectuelle</translation>
    </message>
</context>
<context>
    <name>CAboutLicensePage</name>
    <message>
        <source>License</source>
        <translation>Licence</translation>
    </message>
</context>
<context>
    <name>CAboutSheet</name>
    <message>
        <source>Warning: this program is protected by copyright law and international treaties. Copying or distributing it, or any part of it, without the written permission of Tandrel Technologies Inc. is not permitted.</source>
        <translation>Avertissement : ce programme est protégé par le droit d’auteur et par des traités internationaux. Il est interdit de le copier ou de le diffuser, en tout ou en partie, sans l’autorisation écrite de Tandrel Technologies Inc.</translation>
    </message>
    <message>
        <source>Use of this program is subject to the terms of its licence agreement.</source>
        <translation>L’utilisation de ce programme est soumise aux conditions de son contrat de licence.</translation>
    </message>
    <message>
        <source>Telephone: 555-0142</source>
        <translation>Téléphone : 555-0142</translation>
    </message>
    <message>
        <source>Fax: 555-0143</source>
        <translation>Fax : 555-0143</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>CAboutTechSupportPage</name>
    <message>
        <source>Technical Support</source>
        <translation>Assistance technique</translation>
    </message>
    <message>
        <source>E-mail:</source>
        <translation>E-mail :</translation>
    </message>
    <message>
        <source>Web:</source>
        <translation>Web :</translation>
    </message>
</context>
<context>
    <name>CDValtrix</name>
    <message>
        <source>the pen input control Valtrix (libvaltrix.so, class %1)</source>
        <translation>le composant de saisie au stylet Valtrix (libvaltrix.so, classe %1)</translation>
    </message>
    <message>
        <source>The answer field has not been created.</source>
        <translation>La case réponse n’a pas été créée.</translation>
    </message>
    <message>
        <source>Answers cannot be entered: %1 is not registered. Run kestavo-register on libvaltrix.so to register it.</source>
        <translation>Impossible de saisir les réponses : %1 n’est pas enregistré. Lancez kestavo-register sur libvaltrix.so pour l’enregistrer.</translation>
    </message>
    <message>
        <source>Answers cannot be entered: %1 could not be loaded (error 0x%2).</source>
        <translation>Impossible de saisir les réponses : %1 n’a pas pu être chargé (erreur 0x%2).</translation>
    </message>
    <message>
        <source>Answers cannot be entered: %1 does not offer its dispatch interface.</source>
        <translation>Impossible de saisir les réponses : %1 n’offre pas son interface de répartition.</translation>
    </message>
    <message>
        <source>Answers cannot be entered: %1 could not create its window.</source>
        <translation>Impossible de saisir les réponses : %1 n’a pas pu créer sa fenêtre.</translation>
    </message>
</context>
<context>
    <name>CDecimalSeparatorMenu</name>
    <message>
        <source>&amp;Decimal Separator</source>
        <translation>&amp;Séparateur décimal</translation>
    </message>
    <message>
        <source>The decimal separator could not be saved on this computer.</source>
        <translation>Le séparateur décimal n’a pas pu être enregistré sur cet ordinateur.</translation>
    </message>
    <message>
        <source>From the &amp;Language</source>
        <translation>Selon la &amp;langue</translation>
    </message>
    <message>
        <source>&amp;Point (3.5)</source>
        <translation>&amp;Point (3.5)</translation>
    </message>
    <message>
        <source>&amp;Comma (3,5)</source>
        <translation>&amp;Virgule (3,5)</translation>
    </message>
</context>
<context>
    <name>CGoDialog</name>
    <message>
        <source>New Game</source>
        <translation>Nouvelle partie</translation>
    </message>
    <message>
        <source>Keep learning level</source>
        <translation>Garder le niveau</translation>
    </message>
    <message>
        <source>Change learning level</source>
        <translation>Changer de niveau</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>CHelpBrowser</name>
    <message>
        <source>the help folder</source>
        <translation>le dossier d’aide</translation>
    </message>
    <message>
        <source>&lt;h2&gt;Help is not available&lt;/h2&gt;&lt;p&gt;Kestavo could not find %1 in &lt;tt&gt;%2&lt;/tt&gt;.&lt;/p&gt;&lt;p&gt;The help pages are installed with the program; reinstalling Kestavo restores them.&lt;/p&gt;</source>
        <translation>&lt;h2&gt;L’aide n’est pas disponible&lt;/h2&gt;&lt;p&gt;Kestavo n’a pas trouvé %1 dans &lt;tt&gt;%2&lt;/tt&gt;.&lt;/p&gt;&lt;p&gt;Les pages d’aide sont installées avec le programme ; réinstaller Kestavo les remet en place.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>CHelpWindow</name>
    <message>
        <source>Back</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Accueil</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Fermer</translation>
    </message>
    <message>
        <source>Kestavo Help</source>
        <translation>Aide de Kestavo</translation>
    </message>
</context>
<context>
    <name>CLanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Langue</translation>
    </message>
    <message>
        <source>&amp;Desktop Language</source>
        <translation>Langue du &amp;bureau</translation>
    </message>
    <message>
        <source>Kestavo will show its texts in %1 from the next start.</source>
        <translation>Kestavo affichera ses textes en %1 au prochain démarrage.</translation>
    </message>
    <message>
        <source>The language could not be saved on this computer.</source>
        <translation>La langue n’a pas pu être enregistrée sur cet ordinateur.</translation>
    </message>
</context>
<context>
    <name>CLevelGuide</name>
    <message>
        <source>up to 1 place</source>
        <translation>jusqu’à 1 chiffre après la virgule</translation>
    </message>
    <message>
        <source>up to %1 places</source>
        <translation>jusqu’à %1 chiffres après la virgule</translation>
    </message>
    <message>
        <source>on, </source>
        <translation>oui, </translation>
    </message>
    <message>
        <source>never</source>
        <translation>jamais</translation>
    </message>
    <message>
        <source>can be turned on (%1)</source>
        <translation>peuvent être activés (%1)</translation>
    </message>
    <message>
        <source>on</source>
        <translation>oui</translation>
    </message>
    <message>
        <source>can be turned on</source>
        <translation>peuvent être activées</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Niveau</translation>
    </message>
    <message>
        <source>Addition and subtraction</source>
        <translation>Addition et soustraction</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Multiplication</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>Division</translation>
    </message>
    <message>
        <source>Decimals</source>
        <translation>Nombres décimaux</translation>
    </message>
    <message>
        <source>Question style</source>
        <translation>Forme du calcul</translation>
    </message>
    <message>
        <source>Other</source>
        <translation>Autres</translation>
    </message>
    <message>
        <source> (Easy)</source>
        <translation> (facile)</translation>
    </message>
    <message>
        <source> (Difficult)</source>
        <translation> (difficile)</translation>
    </message>
    <message>
        <source>numbers %1 to %2</source>
        <translation>nombres de %1 à %2</translation>
    </message>
    <message>
        <source>factors up to %1, products up to %2</source>
        <translation>facteurs jusqu’à %1, produits jusqu’à %2</translation>
    </message>
    <message>
        <source>divisor and answer up to %1, numbers divided up to %2</source>
        <translation>diviseur et résultat jusqu’à %1, nombres divisés jusqu’à %2</translation>
    </message>
    <message>
        <source>%1; division: %2</source>
        <translation>%1 ; division : %2</translation>
    </message>
    <message>
        <source>3+?=7 (any number may be missing)</source>
        <translation>3+?=7 (n’importe quel nombre peut manquer)</translation>
    </message>
    <message>
        <source>carrying and borrowing</source>
        <translation>avec retenue</translation>
    </message>
    <message>
        <source>no carrying or borrowing</source>
        <translation>sans retenue</translation>
    </message>
    <message>
        <source>no apples</source>
        <translation>pas de pommes</translation>
    </message>
    <message>
        <source>apples %1</source>
        <translation>pommes : %1</translation>
    </message>
    <message>
        <source>division with remainders</source>
        <translation>division avec reste</translation>
    </message>
    <message>
        <source>decimal divisors</source>
        <translation>diviseur décimal</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Partie</translation>
    </message>
    <message>
        <source>&amp;Next</source>
        <translation>&amp;Suivante</translation>
    </message>
    <message>
        <source>&amp;Previous</source>
        <translation>P&amp;récédente</translation>
    </message>
    <message>
        <source>&amp;Import Settings...</source>
        <translation>&amp;Importer les réglages...</translation>
    </message>
    <message>
        <source>E&amp;xport Settings...</source>
        <translation>E&amp;xporter les réglages...</translation>
    </message>
    <message>
        <source>Ask before ending a game</source>
        <translation>Demander avant de terminer une partie</translation>
    </message>
    <message>
        <source>Question &amp;Size</source>
        <translation>&amp;Taille des calculs</translation>
    </message>
    <message>
        <source>&amp;Exit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>&amp;Contents...</source>
        <translation>&amp;Sommaire...</translation>
    </message>
    <message>
        <source>&amp;About Kestavo...</source>
        <translation>À &amp;propos de Kestavo...</translation>
    </message>
    <message>
        <source>Save Results...</source>
        <translation>Enregistrer les résultats...</translation>
    </message>
    <message>
        <source>Print Results...</source>
        <translation>Imprimer les résultats...</translation>
    </message>
    <message>
        <source>Print Worksheet...</source>
        <translation>Imprimer une fiche...</translation>
    </message>
    <message>
        <source>The question size could not be saved on this computer. It stays in use now, but the next start will not remember it.</source>
        <translation>La taille des calculs n’a pas pu être enregistrée sur cet ordinateur. Elle reste active maintenant, mais sera oubliée au prochain démarrage.</translation>
    </message>
    <message>
        <source>The choice &quot;Ask before ending a game&quot; could not be saved; it holds until Kestavo is closed.</source>
        <translation>Le choix « Demander avant de terminer une partie » n’a pas pu être enregistré ; il reste valable jusqu’à la fermeture de Kestavo.</translation>
    </message>
    <message>
        <source>End the game now?</source>
        <translation>Terminer la partie maintenant ?</translation>
    </message>
    <message>
        <source>Every question has an answer.</source>
        <translation>Tous les calculs ont une réponse.</translation>
    </message>
    <message>
        <source>1 question is not answered yet.</source>
        <translation>1 calcul n’a pas encore de réponse.</translation>
    </message>
    <message>
        <source>%1 questions are not answered yet.</source>
        <translation>%1 calculs n’ont pas encore de réponse.</translation>
    </message>
    <message>
        <source>End the game</source>
        <translation>Terminer la partie</translation>
    </message>
    <message>
        <source>Keep playing</source>
        <translation>Continuer à jouer</translation>
    </message>
</context>
<context>
    <name>COptionsPage</name>
    <message>
        <source>Include addition to game</source>
        <translation>Inclure l’addition dans la partie</translation>
    </message>
    <message>
        <source>Include subtraction to game</source>
        <translation>Inclure la soustraction dans la partie</translation>
    </message>
    <message>
        <source>Include multiplication to game</source>
        <translation>Inclure la multiplication dans la partie</translation>
    </message>
    <message>
        <source>Include division to game</source>
        <translation>Inclure la division dans la partie</translation>
    </message>
    <message>
        <source>Allow Carrying</source>
        <translation>Avec retenue</translation>
    </message>
    <message>
        <source>Show Manipulatives</source>
        <translation>Montrer les pommes à compter</translation>
    </message>
    <message>
        <source>Allow Borrowing</source>
        <translation>Avec retenue</translation>
    </message>
    <message>
        <source>Allow Remainder</source>
        <translation>Avec reste</translation>
    </message>
    <message>
        <source>Allow Decimal Divisor</source>
        <translation>Diviseur décimal</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Présentation</translation>
    </message>
    <message>
        <source>Layout</source>
        <translation>Disposition</translation>
    </message>
    <message>
        <source>Learning Level:</source>
        <translation>Niveau :</translation>
    </message>
    <message>
        <source>Style:</source>
        <translation>Type de calcul :</translation>
    </message>
    <message>
        <source>Allow Decimals</source>
        <translation>Nombres décimaux</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>En colonnes</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>En ligne</translation>
    </message>
    <message>
        <source>Defaults</source>
        <translation>Par défaut</translation>
    </message>
</context>
<context>
    <name>COptionsPropertySheet</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>&amp;Question size:</source>
        <translation>&amp;Taille des calculs :</translation>
    </message>
</context>
<context>
    <name>CPagedOutput</name>
    <message>
        <source>The file &quot;%1&quot; could not be written: %2.</source>
        <translation>Le fichier « %1 » n’a pas pu être écrit : %2.</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
    <message>
        <source>the pages could not be drawn</source>
        <translation>les pages n’ont pas pu être dessinées</translation>
    </message>
</context>
<context>
    <name>CPartsCheck</name>
    <message>
        <source>Kestavo cannot find its answer boxes, so answers cannot be entered; please ask whoever looks after this computer to install Kestavo again.</source>
        <translation>Kestavo ne trouve pas ses cases réponse : impossible de saisir les réponses. Demandez à la personne qui s’occupe de cet ordinateur de réinstaller Kestavo.</translation>
    </message>
    <message>
        <source>Kestavo cannot find the whiteboard software, so pupils cannot write with the pen; they can still type their answers with the keyboard.</source>
        <translation>Kestavo ne trouve pas le logiciel du tableau blanc : les élèves ne peuvent pas écrire au stylet, mais ils peuvent taper leurs réponses au clavier.</translation>
    </message>
    <message>
        <source>Kestavo cannot show pen writing in the answer boxes; pupils can still type their answers with the keyboard.</source>
        <translation>Kestavo ne peut pas afficher l’écriture au stylet dans les cases réponse ; les élèves peuvent taper leurs réponses au clavier.</translation>
    </message>
    <message>
        <source>Kestavo cannot find its handwriting reader. Pupils can still type their answers with the keyboard.</source>
        <translation>Kestavo ne trouve pas sa reconnaissance d’écriture. Les élèves peuvent taper leurs réponses au clavier.</translation>
    </message>
    <message>
        <source>Kestavo&apos;s handwriting reader cannot read its word list, so it may not read handwritten answers; pupils can still type them with the keyboard.</source>
        <translation>La reconnaissance d’écriture de Kestavo ne peut pas lire sa liste de mots et risque de ne pas lire les réponses manuscrites ; les élèves peuvent les taper au clavier.</translation>
    </message>
    <message>
        <source>Kestavo cannot find its help pages; the game itself works as usual.</source>
        <translation>Kestavo ne trouve pas ses pages d’aide ; le jeu fonctionne normalement.</translation>
    </message>
    <message>
        <source>Kestavo cannot find its licence text, so the About box cannot show it; the game itself works as usual.</source>
        <translation>Kestavo ne trouve pas le texte de sa licence, la fenêtre À propos ne peut donc pas l’afficher ; le jeu fonctionne normalement.</translation>
    </message>
    <message>
        <source>Kestavo cannot save settings on this computer, so choices made in Setup are used now but forgotten when Kestavo closes.</source>
        <translation>Kestavo ne peut pas enregistrer de réglages sur cet ordinateur : les choix faits dans la configuration servent maintenant, mais sont oubliés à la fermeture de Kestavo.</translation>
    </message>
</context>
<context>
    <name>CQuestionSize</name>
    <message>
        <source>Large</source>
        <translation>Grande</translation>
    </message>
    <message>
        <source>Extra large</source>
        <translation>Très grande</translation>
    </message>
    <message>
        <source>Standard</source>
        <translation>Normale</translation>
    </message>
</context>
<context>
    <name>CResultsActions</name>
    <message>
        <source>PDF report (*.pdf)</source>
        <translation>Bilan PDF (*.pdf)</translation>
    </message>
    <message>
        <source>CSV file for spreadsheets (*.csv)</source>
        <translation>Fichier CSV pour tableur (*.csv)</translation>
    </message>
    <message>
        <source>PDF report and CSV file (*.pdf *.csv)</source>
        <translation>Bilan PDF et fichier CSV (*.pdf *.csv)</translation>
    </message>
    <message>
        <source>PDF worksheet (*.pdf)</source>
        <translation>Fiche PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Kestavo results</source>
        <translation>Résultats Kestavo</translation>
    </message>
    <message>
        <source>Results</source>
        <translation>Résultats</translation>
    </message>
    <message>
        <source>Name of the pupil or group (optional):</source>
        <translation>Nom de l’élève ou du groupe (facultatif) :</translation>
    </message>
    <message>
        <source>Save Worksheet</source>
        <translation>Enregistrer la fiche</translation>
    </message>
    <message>
        <source>Save Results</source>
        <translation>Enregistrer les résultats</translation>
    </message>
    <message>
        <source>No printer is installed. Use &quot;Save Results...&quot; to keep the results as a PDF file and print it later.</source>
        <translation>Aucune imprimante n’est installée. Utilisez « Enregistrer les résultats... » pour garder les résultats dans un fichier PDF et l’imprimer plus tard.</translation>
    </message>
    <message>
        <source>The results could not be printed. Check the printer and try again, or use &quot;Save Results...&quot;.</source>
        <translation>Les résultats n’ont pas pu être imprimés. Vérifiez l’imprimante et réessayez, ou utilisez « Enregistrer les résultats... ».</translation>
    </message>
    <message>
        <source>No worksheet could be made: choose the operations in the Setup dialog first.</source>
        <translation>Impossible de créer une fiche : choisissez d’abord les opérations dans la configuration.</translation>
    </message>
    <message>
        <source>Kestavo worksheet</source>
        <translation>Fiche Kestavo</translation>
    </message>
    <message>
        <source>The worksheet could not be printed. Check the printer and try again.</source>
        <translation>La fiche n’a pas pu être imprimée. Vérifiez l’imprimante et réessayez.</translation>
    </message>
    <message>
        <source>No printer is installed. Choose a PDF file for the worksheet instead; it can be printed from any computer.</source>
        <translation>Aucune imprimante n’est installée. Choisissez plutôt un fichier PDF pour la fiche ; il pourra être imprimé depuis n’importe quel ordinateur.</translation>
    </message>
    <message>
        <source>Kestavo worksheet - seed %1.pdf</source>
        <translation>Fiche Kestavo - graine %1.pdf</translation>
    </message>
</context>
<context>
    <name>CResultsReport</name>
    <message>
        <source>✔ Right</source>
        <translation>✔ Juste</translation>
    </message>
    <message>
        <source>✘ Wrong</source>
        <translation>✘ Faux</translation>
    </message>
    <message>
        <source>Kestavo results</source>
        <translation>Résultats Kestavo</translation>
    </message>
    <message>
        <source>Pupil or group:</source>
        <translation>Élève ou groupe :</translation>
    </message>
    <message>
        <source>Date:</source>
        <translation>Date :</translation>
    </message>
    <message>
        <source>Played:</source>
        <translation>Joué :</translation>
    </message>
    <message>
        <source>Questions:</source>
        <translation>Calculs :</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>N°</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Calcul</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Réponse</translation>
    </message>
    <message>
        <source>Expected</source>
        <translation>Attendu</translation>
    </message>
    <message>
        <source>Hints</source>
        <translation>Indices</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>(none)</source>
        <translation>(aucune)</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Numéro</translation>
    </message>
    <message>
        <source>Expected answer</source>
        <translation>Réponse attendue</translation>
    </message>
    <message>
        <source>Pupil&apos;s answer</source>
        <translation>Réponse de l’élève</translation>
    </message>
    <message>
        <source>Pupil or group</source>
        <translation>Élève ou groupe</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>right</source>
        <translation>juste</translation>
    </message>
    <message>
        <source>wrong</source>
        <translation>faux</translation>
    </message>
</context>
<context>
    <name>CSettingsImport</name>
    <message>
        <source>Addition</source>
        <translation>Addition</translation>
    </message>
    <message>
        <source>Subtraction</source>
        <translation>Soustraction</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Multiplication</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>Division</translation>
    </message>
    <message>
        <source>Board settings</source>
        <translation>Réglages du tableau</translation>
    </message>
    <message>
        <source>%1: removed</source>
        <translation>%1 : supprimé</translation>
    </message>
    <message>
        <source>%1: level %2</source>
        <translation>%1 : niveau %2</translation>
    </message>
    <message>
        <source>Number of questions: %1</source>
        <translation>Nombre de calculs : %1</translation>
    </message>
</context>
<context>
    <name>CSetup</name>
    <message>
        <source>Setup</source>
        <translation>Configuration</translation>
    </message>
    <message>
        <source>Operator:</source>
        <translation>Opération :</translation>
    </message>
    <message>
        <source>Learning Level:</source>
        <translation>Niveau :</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Facile</translation>
    </message>
    <message>
        <source>Difficult</source>
        <translation>Difficile</translation>
    </message>
    <message>
        <source>Number of Questions:</source>
        <translation>Nombre de calculs :</translation>
    </message>
    <message>
        <source>Advanced...</source>
        <translation>Avancé...</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Aide</translation>
    </message>
    <message>
        <source>Your choices could not be saved on this computer. This game still uses them, but Setup will not remember them next time.</source>
        <translation>Vos choix n’ont pas pu être enregistrés sur cet ordinateur. Cette partie les utilise quand même, mais la configuration les aura oubliés la prochaine fois.</translation>
    </message>
</context>
<context>
    <name>CSummaryView</name>
    <message>
        <source>Save Results...</source>
        <translation>Enregistrer les résultats...</translation>
    </message>
    <message>
        <source>Print Results...</source>
        <translation>Imprimer les résultats...</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
</context>
<context>
    <name>CTouchWritingMenu</name>
    <message>
        <source>&amp;Touch As Pen</source>
        <translation>&amp;Doigt comme stylet</translation>
    </message>
    <message>
        <source>&amp;Automatic</source>
        <translation>&amp;Automatique</translation>
    </message>
    <message>
        <source>A&amp;lways</source>
        <translation>&amp;Toujours</translation>
    </message>
    <message>
        <source>&amp;Never</source>
        <translation>&amp;Jamais</translation>
    </message>
</context>
<context>
    <name>CWorksheet</name>
    <message>
        <source>Kestavo worksheet, seed %1</source>
        <translation>Fiche Kestavo, graine %1</translation>
    </message>
</context>
<context>
    <name>CWorksheetPainter</name>
    <message>
        <source>Name: ______________________________      Date: ________________</source>
        <translation>Nom : ______________________________      Date : ________________</translation>
    </message>
    <message>
        <source>Answer key</source>
        <translation>Corrigé</translation>
    </message>
    <message>
        <source>Worksheet</source>
        <translation>Fiche d’exercices</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Page %1 sur %2</translation>
    </message>
</context>
<context>
    <name>LicenseText</name>
    <message>
        <source>No licence file was given.</source>
        <translation>Aucun fichier de licence n’a été indiqué.</translation>
    </message>
    <message>
        <source>%1 cannot be opened: %2.</source>
        <translation>Impossible d’ouvrir %1 : %2.</translation>
    </message>
    <message>
        <source>%1 is too large to be a licence text.</source>
        <translation>%1 est trop grand pour être un texte de licence.</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2.</source>
        <translation>Impossible de lire %1 : %2.</translation>
    </message>
</context>
<context>
    <name>PlayedSettings</name>
    <message>
        <source>decimals</source>
        <translation>nombres décimaux</translation>
    </message>
    <message>
        <source>algebra style</source>
        <translation>calculs à trou</translation>
    </message>
    <message>
        <source>remainders</source>
        <translation>avec reste</translation>
    </message>
    <message>
        <source>%1, level %2</source>
        <translation>%1, niveau %2</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Registry files (*.reg);;All files (*)</source>
        <translation>Fichiers de registre (*.reg);;Tous les fichiers (*)</translation>
    </message>
    <message>
        <source>Import Settings</source>
        <translation>Importer les réglages</translation>
    </message>
    <message>
        <source>%1 cannot be imported: %2.
Nothing was changed.</source>
        <translation>Impossible d’importer %1 : %2.
Rien n’a été modifié.</translation>
    </message>
    <message>
        <source>The settings could not be saved. Nothing was changed.</source>
        <translation>Les réglages n’ont pas pu être enregistrés. Rien n’a été modifié.</translation>
    </message>
    <message>
        <source>The settings were imported. They apply from the next game you set up.</source>
        <translation>Les réglages ont été importés. Ils s’appliquent à partir de la prochaine partie configurée.</translation>
    </message>
    <message>
        <source>Import these settings from %1?</source>
        <translation>Importer ces réglages depuis %1 ?</translation>
    </message>
    <message>
        <source>Keys of other software are left out:
</source>
        <translation>Les clés d’autres logiciels sont ignorées :
</translation>
    </message>
    <message>
        <source>Export Settings</source>
        <translation>Exporter les réglages</translation>
    </message>
    <message>
        <source>There are no settings to export yet: set up a game first.</source>
        <translation>Il n’y a pas encore de réglages à exporter : configurez d’abord une partie.</translation>
    </message>
    <message>
        <source>%1 cannot be written: %2.</source>
        <translation>Impossible d’écrire %1 : %2.</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Advanced Options</source>
        <translation>Options avancées</translation>
    </message>
    <message>
        <source>Subtraction</source>
        <translation>Soustraction</translation>
    </message>
    <message>
        <source>Addition</source>
        <translation>Addition</translation>
    </message>
    <message>
        <source>Multiplication</source>
        <translation>Multiplication</translation>
    </message>
    <message>
        <source>Division</source>
        <translation>Division</translation>
    </message>
    <message>
        <source>Tandrel Kestavo is an interactive application that reinforces basic arithmetic skills.</source>
        <translation>Tandrel Kestavo est un logiciel interactif qui renforce les bases du calcul.</translation>
    </message>
    <message>
        <source>Tandrel and Kestavo are trademarks of Tandrel Technologies Inc.
Other product names mentioned may be trademarks of their respective owners.</source>
        <translation>Tandrel et Kestavo sont des marques de Tandrel Technologies Inc.
Les autres noms de produits cités peuvent être des marques de leurs propriétaires respectifs.</translation>
    </message>
    <message>
        <source>Copyright © 2026 Tandrel Technologies Inc. All rights reserved.</source>
        <translation>Copyright © 2026 Tandrel Technologies Inc. Tous droits réservés.</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Score</translation>
    </message>
    <message>
        <source>Hints</source>
        <translation>Indices</translation>
    </message>
    <message>
        <source>correct out of</source>
        <translation>justes sur</translation>
    </message>
    <message>
        <source>Question</source>
        <translation>Calcul</translation>
    </message>
    <message>
        <source>of</source>
        <translation>sur</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Suivant</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Précédent</translation>
    </message>
    <message>
        <source>&amp;Go...</source>
        <translation>&amp;Jouer...</translation>
    </message>
    <message>
        <source>&amp;Stop</source>
        <translation>&amp;Arrêter</translation>
    </message>
    <message>
        <source>(Hint: Drag the apples out of the bowl to help solve the equation.)</source>
        <translation>(Indice : sors les pommes du saladier pour t’aider à trouver la réponse.)</translation>
    </message>
    <message>
        <source>The number of questions that you’ve specified is too high. Tandrel Kestavo can’t generate that many questions for a game at this level. Either decrease the number of questions or select a more difficult level.</source>
        <translation>Le nombre de calculs demandé est trop élevé. Tandrel Kestavo ne peut pas créer autant de calculs pour une partie à ce niveau. Diminuez le nombre de calculs ou choisissez un niveau plus difficile.</translation>
    </message>
    <message>
        <source>Tandrel Kestavo</source>
        <translation>Tandrel Kestavo</translation>
    </message>
</context>
</TS>
