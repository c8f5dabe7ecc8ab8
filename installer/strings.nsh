; The setup program's own texts, in each of its languages (MUI gives the rest).

LangString DirectoryText ${LANG_ENGLISH} "The screen saver goes into the Windows system folder, where the Screen Saver Settings list it. Setup puts its read-me and the uninstaller into the following folder. To use another folder, click Browse."
LangString DirectoryText ${LANG_JAPANESE} "スクリーン セーバーは Windows のシステム フォルダーに入り、スクリーン セーバーの設定の一覧に表示されます。説明書とアンインストーラーは次のフォルダーに入ります。別のフォルダーにするには [参照] をクリックしてください。"

LangString SetAsScreenSaverText ${LANG_ENGLISH} "Make Nuvrel my screen saver"
LangString SetAsScreenSaverText ${LANG_JAPANESE} "Nuvrel をスクリーン セーバーにする"

LangString CloseNuvrelText ${LANG_ENGLISH} "Nuvrel is running: its screen saver or its settings window is open.$\r$\n$\r$\nClose it, then click Retry."
LangString CloseNuvrelText ${LANG_JAPANESE} "Nuvrel のスクリーン セーバーまたは設定ウィンドウが開いています。$\r$\n$\r$\n閉じてから [再試行] をクリックしてください。"

LangString AdministratorText ${LANG_ENGLISH} "Nuvrel is installed for every user of this computer. Please run Setup as an administrator."
LangString AdministratorText ${LANG_JAPANESE} "Nuvrel はこのコンピューターのすべてのユーザー用にインストールされます。管理者としてセットアップを実行してください。"

LangString OtherAccountText ${LANG_ENGLISH} "Nuvrel has been installed for every user of this computer.$\r$\n$\r$\nSetup ran under another account than the one signed in, so it cannot choose the screen saver for you: choose Nuvrel in the Screen Saver Settings."
LangString OtherAccountText ${LANG_JAPANESE} "Nuvrel をこのコンピューターのすべてのユーザー用にインストールしました。$\r$\n$\r$\nセットアップはサインイン中のアカウントとは別のアカウントで実行されたため、スクリーン セーバーを設定できません。スクリーン セーバーの設定で Nuvrel を選んでください。"
